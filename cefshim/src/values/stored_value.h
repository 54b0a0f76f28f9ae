// The storage of one entry of a list or dictionary value. The variant's
// alternatives are in the order of the wire format's value tags (null, bool,
// int, double, string, binary, dictionary, list).
#pragma once

#include <string>
#include <variant>

#include "cef_values.h"
#include "cef_types.h"

namespace cefshim {

using StoredValue = std::variant<std::monostate, bool, int, double, std::u16string, CefRefPtr<CefBinaryValue>,
                                 CefRefPtr<CefDictionaryValue>, CefRefPtr<CefListValue>>;

// VTYPE_NULL ... VTYPE_LIST for the stored alternative.
CefValueType TypeOf(const StoredValue& value);

// A copy that shares nothing mutable with `value` (binary values are
// immutable and stay shared).
StoredValue DeepCopy(const StoredValue& value);

}  // namespace cefshim
