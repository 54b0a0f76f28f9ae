// Script values as JSON text. A value becomes the object
// {"type":<tag>,"value":<value>} and an error the object
// {"type":"error","value":<message>}, written by the JSON library's
// generator in its compact form (so an error text begins with the 15
// characters {"type":"error" that the RPC client takes as an error reply).
//
// Tags, tested in this order: "undefined" (value "undefined"), "null"
// (JSON null), "function" ("unsupport"), "boolean", "integer" (32-bit),
// "double" (an integral double is written without a fraction, e.g.
// 1099511627776), "string", "datetime" (datetime_text.h), "array", "object"
// ("unsupport"); a value that passes no test (a symbol, a BigInt) gives an
// object without members. An array's value lists one object per element,
// tagged the same way except that null is written as the string "null", a
// date always with three-digit milliseconds, and an array only by its tag
// (no "value"): nested arrays are never walked, so a cyclic or deeply
// nested array costs no more than a flat one.
//
// Strings are written whole, U+0000 included (escaped as \u0000, so the
// text itself holds no NUL). A conversion fails, giving the empty text, when
// the generator refuses a step or when the text would pass
// kMaxValueJsonLength (a huge or sparse array, a huge string), which a
// process message could not carry anyway.
//
// Render thread only (the values belong to its script engine); the JSON
// objects are made and released inside each call.
#pragma once

#include <cstddef>

#include "cef_v8.h"
#include "platform/text_types.h"

namespace Kestrun {

// The longest JSON text of one value, in UTF-16 units.
inline constexpr std::size_t kMaxValueJsonLength = std::size_t{16} << 20;

// An evaluation result; a date has three-digit milliseconds. A null value
// counts as undefined.
platform::WString ValueToJson(CefRefPtr<CefV8Value> value);

// The data argument of Invoke: as ValueToJson except that a date at the top
// has its milliseconds without padding (5 ms as ".5").
platform::WString ArgumentToJson(CefRefPtr<CefV8Value> argument);

// The error object of `message`.
platform::WString ErrorToJson(const CefString& message);

}  // namespace Kestrun
