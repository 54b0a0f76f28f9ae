// The kinds of single values the value functions read and write. Each kind
// says which stored values it accepts (Holds), how it reads one (Read), and
// how it makes a new one from the caller's argument (Make, with IsMissing
// for an argument that must not reach the document).
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/wide_string.h"
#include "tqjson/json_document.h"

namespace TQJSON {

// A text length as RapidJSON counts it. Throws std::length_error for a text
// RapidJSON cannot hold.
inline rapidjson::SizeType DocumentTextLength(std::size_t length) {
  if (length >= std::numeric_limits<rapidjson::SizeType>::max()) throw std::length_error("text too long");
  return static_cast<rapidjson::SizeType>(length);
}

// The length of a NUL-terminated text, as above.
inline rapidjson::SizeType DocumentTextLength(const char16_t* text) {
  return DocumentTextLength(platform::WLength(text));
}

// The argument of kinds that carry no value.
struct NoValue {};

// Adds the parts shared by kinds whose argument can always be stored.
template <typename Argument>
struct AlwaysPresent {
  using In = Argument;
  static bool IsMissing(const In&) { return false; }
};

struct BoolKind : AlwaysPresent<std::int32_t> {
  using Out = std::int32_t;
  static bool Holds(const JsonValue& value) { return value.IsBool(); }
  static Out Read(const JsonValue& value) { return value.GetBool() ? 1 : 0; }
  static JsonValue Make(In value, JsonPoolAllocator&) { return JsonValue(value != 0); }
};

// An integer kind: stores its argument as is and reads only values that fit.
template <typename Integer, bool (JsonValue::*Fits)() const, Integer (JsonValue::*Get)() const>
struct IntegerKind : AlwaysPresent<Integer> {
  using Out = Integer;
  static bool Holds(const JsonValue& value) { return (value.*Fits)(); }
  static Out Read(const JsonValue& value) { return (value.*Get)(); }
  static JsonValue Make(Integer value, JsonPoolAllocator&) { return JsonValue(value); }
};

using IntKind = IntegerKind<int, &JsonValue::IsInt, &JsonValue::GetInt>;
using UIntKind = IntegerKind<unsigned, &JsonValue::IsUint, &JsonValue::GetUint>;
using Int64Kind = IntegerKind<std::int64_t, &JsonValue::IsInt64, &JsonValue::GetInt64>;
using UInt64Kind = IntegerKind<std::uint64_t, &JsonValue::IsUint64, &JsonValue::GetUint64>;

// A floating kind reads every number, converted through double, and stores
// its argument as a double.
template <typename Floating>
struct FloatingKind : AlwaysPresent<Floating> {
  using Out = Floating;
  static bool Holds(const JsonValue& value) { return value.IsNumber(); }
  static Out Read(const JsonValue& value) { return static_cast<Floating>(value.GetDouble()); }
  static JsonValue Make(Floating value, JsonPoolAllocator&) { return JsonValue(static_cast<double>(value)); }
};

using FloatKind = FloatingKind<float>;
using DoubleKind = FloatingKind<double>;

// Strings are read in place and stored as copies.
struct StringKind {
  using In = const char16_t*;
  using Out = const char16_t*;
  static bool IsMissing(In value) { return value == nullptr; }
  static bool Holds(const JsonValue& value) { return value.IsString(); }
  static Out Read(const JsonValue& value) { return value.GetString(); }
  static JsonValue Make(In value, JsonPoolAllocator& allocator) {
    return JsonValue(value, DocumentTextLength(value), allocator);
  }
};

// Strings of a known length, U+0000 included, stored as copies.
struct CountedStringKind : AlwaysPresent<std::u16string_view> {
  static JsonValue Make(In value, JsonPoolAllocator& allocator) {
    // RapidJSON wants a text even for no units; an empty view may have none.
    return JsonValue(value.empty() ? u"" : value.data(), DocumentTextLength(value.size()), allocator);
  }
};

// Kinds made without an argument: null and empty containers.
template <rapidjson::Type kType>
struct EmptyKind : AlwaysPresent<NoValue> {
  static JsonValue Make(NoValue, JsonPoolAllocator&) { return JsonValue(kType); }
};

using NullKind = EmptyKind<rapidjson::kNullType>;
using ObjectKind = EmptyKind<rapidjson::kObjectType>;
using ArrayKind = EmptyKind<rapidjson::kArrayType>;

// A value already built with the document's allocator (a grafted
// sub-tree): it is moved into place and its argument left null.
struct MovedValueKind : AlwaysPresent<JsonValue*> {
  static JsonValue Make(JsonValue* value, JsonPoolAllocator&) { return std::move(*value); }
};

}  // namespace TQJSON
