#include "script/js_text.h"

#include <js/Conversions.h>
#include <js/String.h>
#include <mozilla/Range.h>

namespace cefshim::script {

std::u16string StringText(JSContext* cx, JSString* string) {
  std::u16string text(JS_GetStringLength(string), u'\0');
  if (!JS_CopyStringChars(cx, mozilla::Range<char16_t>(text.data(), text.size()), string)) return std::u16string();
  return text;
}

JSString* NewString(JSContext* cx, std::u16string_view text) {
  return JS_NewUCStringCopyN(cx, text.data(), text.size());
}

bool NameToId(JSContext* cx, std::u16string_view name, JS::MutableHandleId id) {
  JS::RootedString atom(cx, NewString(cx, name));
  return atom && JS_StringToId(cx, atom, id);
}

std::optional<std::u16string> ValueText(JSContext* cx, JS::HandleValue value) {
  JS::RootedString string(cx, JS::ToString(cx, value));
  if (!string) {
    JS_ClearPendingException(cx);
    return std::nullopt;
  }
  return StringText(cx, string);
}

}  // namespace cefshim::script
