// Typed reads of object members. Members are found by exact,
// case-sensitive name (the first of duplicates wins). Every read checks
// the JSON type: a member of another type gives the default, never a
// reinterpretation. An integer is taken as a 32-bit integer (its low 32
// bits); a number with a fraction or exponent is not an integer. Texts
// point into the document and stay valid while it lives unchanged.
// Pure reads, any thread.
#pragma once

#include <cstdint>
#include <utility>

#include "json_document.h"
#include "platform/text_types.h"

// The member's value; null when `object` is not an object or has no such
// member. The name may hold any character, zero included.
const JsonValue* FindMember(const JsonValue& object, platform::WStringView name);
inline JsonValue* FindMember(JsonValue& object, platform::WStringView name) {
  return const_cast<JsonValue*>(FindMember(std::as_const(object), name));
}

// The same, with member names compared ignoring the case of ASCII letters
// (equal length, each unit equal or the same letter in the other case).
const JsonValue* FindMemberNoCase(const JsonValue& object, platform::WStringView name);
inline JsonValue* FindMemberNoCase(JsonValue& object, platform::WStringView name) {
  return const_cast<JsonValue*>(FindMemberNoCase(std::as_const(object), name));
}

// The member's value, or a null value when absent, so that the reads of
// its members below give their defaults.
const JsonValue& MemberOrNull(const JsonValue& object, platform::WStringView name);

// The member as an array: 0 with `array` set; 4 (CONFIG_MISSING_MEMBER)
// when absent; 3 (CONFIG_INVALID_JSON) when of another type.
std::uint32_t FindRequiredArray(const JsonValue& object, platform::WStringView name, const JsonValue*& array);

// A value's 32-bit integer: true and `number` set when it is an integer.
bool ReadInt32(const JsonValue& value, std::int32_t& number);

std::int32_t GetIntMember(const JsonValue& object, platform::WStringView name, std::int32_t fallback);
std::uint32_t GetUintMember(const JsonValue& object, platform::WStringView name, std::uint32_t fallback);
// Absent: the default; present: true only for JSON true.
bool GetBoolMember(const JsonValue& object, platform::WStringView name, bool fallback);
// The member's characters; empty when absent or not a string.
platform::WStringView GetStringMember(const JsonValue& object, platform::WStringView name);
// With a name, the member of that name; with a null name, `value` itself.
// Its characters when it is a string, else the default.
platform::WStringView GetStringMemberOr(const JsonValue& value, const char16_t* name, platform::WStringView fallback);
// A string value's characters; empty for any other type.
platform::WStringView StringOf(const JsonValue& value);
