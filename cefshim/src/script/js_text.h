// Text between SpiderMonkey and cefshim, as UTF-16 without conversion, so
// NULs and lone surrogates survive. Render thread; the caller is in a realm.
#pragma once

#include <jsapi.h>

#include <optional>
#include <string>
#include <string_view>

namespace cefshim::script {

// The units of `string`; empty when it cannot be read.
std::u16string StringText(JSContext* cx, JSString* string);

// A new string; null, with an exception pending, on failure.
JSString* NewString(JSContext* cx, std::u16string_view text);

// The property key of `name`; false, with an exception pending, on failure.
bool NameToId(JSContext* cx, std::u16string_view name, JS::MutableHandleId id);

// The value converted to text as ToString does (String(value) for every
// value but a symbol); nullopt, with the exception cleared, when the
// conversion throws (a symbol, an object without a primitive value, a
// throwing toString or proxy) or is interrupted.
std::optional<std::u16string> ValueText(JSContext* cx, JS::HandleValue value);

}  // namespace cefshim::script
