// Text between SpiderMonkey and cefshim, as UTF-16 without conversion, so
// NULs and lone surrogates survive. Render thread; the caller is in a realm.
#pragma once

#include <jsapi.h>

#include <string>
#include <string_view>

namespace cefshim::script {

// The units of `string`; empty when it cannot be read.
std::u16string StringText(JSContext* cx, JSString* string);

// A new string; null, with an exception pending, on failure.
JSString* NewString(JSContext* cx, std::u16string_view text);

// The property key of `name`; false, with an exception pending, on failure.
bool NameToId(JSContext* cx, std::u16string_view name, JS::MutableHandleId id);

// The value converted to text as String(value) does; for a value whose
// conversion throws, "" (the exception is cleared).
std::u16string ValueText(JSContext* cx, JS::HandleValue value);

}  // namespace cefshim::script
