// The functions on single values (nodes) that the reader's and writer's
// operations call once they have found their node: counts, member names,
// member lookup, typed reads, typed appends and member additions.
//
// Every function returns 1 on success or a JSONFUN_ERROR code; the checks
// are made in the order in which they are listed, the first failing one
// decides, and a failing function changes nothing. A null node gives -2.
// Keys of reads are looked up with FindMemberIgnoringCase. Writers copy
// keys and strings into the document with its allocator and never look for
// an existing member of the same name; growing a container may move its
// children (see ItemRegistry). Memory exhaustion throws. Not thread-safe
// for one document.
#pragma once

#include <cstdint>

#include "member_lookup.h"
#include "tqjson/json_codes.h"
#include "tqjson/json_document.h"
#include "value_kinds.h"

namespace TQJSON {

// Null node -2; null output 0; not an object (array) -3.
std::int32_t GetMemberCount(const JsonValue* node, std::int32_t* count);
std::int32_t GetArraySize(const JsonValue* node, std::int32_t* count);

// Null node -2; null output 0; not an object -3; index not below the member
// count (compared as unsigned) 0. The name points into the document.
std::int32_t GetMemberNameAt(const JsonValue* node, std::int32_t index, const char16_t** name);

// Null node -2; null key -1; null output 0; not an object -3; no member
// matches 0. Writes the member's value and its coarse type code.
std::int32_t FindMemberWithType(const JsonValue* node, const char16_t* key, const JsonValue** member,
                                std::int32_t* type);

// Typed reads of the node itself: null node -2; null output 0; a value the
// kind does not hold -3.
template <typename Kind>
std::int32_t GetValue(const JsonValue* node, typename Kind::Out* value) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (value == nullptr) return JSONFUN_FAILED;
  if (!Kind::Holds(*node)) return JSONFUN_TYPE_ERROR;
  *value = Kind::Read(*node);
  return kJsonSuccess;
}

// Typed reads of a member: null node -2; null key -1; null output 0; not
// an object -3; no member matches -1; a value the kind does not hold -3.
template <typename Kind>
std::int32_t GetMemberValue(const JsonValue* node, const char16_t* key, typename Kind::Out* value) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (key == nullptr) return JSONFUN_KEY_ERROR;
  if (value == nullptr) return JSONFUN_FAILED;
  if (!node->IsObject()) return JSONFUN_TYPE_ERROR;
  const JsonMember* member = FindMemberIgnoringCase(*node, key);
  if (member == nullptr) return JSONFUN_KEY_ERROR;
  return GetValue<Kind>(&member->value, value);
}

// Makes sure that adding one member to `object` cannot fail half-way:
// room for the larger member storage that a full object would get is
// reserved in the pool first (RapidJSON's growth rule: 16 members, then
// half as many again; a full object's capacity is its member count).
inline void ReserveRoomForMember(const JsonValue& object, JsonPoolAllocator& allocator) {
  const std::size_t count = object.MemberCount();
  const std::size_t grown = count == 0 ? 16 : count + (count + 1) / 2;
  allocator.Reserve(grown * sizeof(JsonMember));
}

// The checks of an append, in order: null node -2; missing argument (a
// null string) -4; no output 0; not an array -3. 1 when all pass.
template <typename Kind>
std::int32_t CheckPush(const JsonValue* node, const typename Kind::In& value, bool has_output) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (Kind::IsMissing(value)) return JSONFUN_NULL_STRING;
  if (!has_output) return JSONFUN_FAILED;
  if (!node->IsArray()) return JSONFUN_TYPE_ERROR;
  return kJsonSuccess;
}

// The checks of a member addition, in order: null node -2; null key -1;
// missing argument -4; no output 0; not an object -3. 1 when all pass.
template <typename Kind>
std::int32_t CheckMemberAddition(const JsonValue* node, const char16_t* key, const typename Kind::In& value,
                                 bool has_output) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (key == nullptr) return JSONFUN_KEY_ERROR;
  if (Kind::IsMissing(value)) return JSONFUN_NULL_STRING;
  if (!has_output) return JSONFUN_FAILED;
  if (!node->IsObject()) return JSONFUN_TYPE_ERROR;
  return kJsonSuccess;
}

// Appends a new value to an array (checks as CheckPush) and writes the new
// element.
template <typename Kind>
std::int32_t PushValue(JsonValue* node, typename Kind::In value, JsonPoolAllocator& allocator, JsonValue** added) {
  const std::int32_t checked = CheckPush<Kind>(node, value, added != nullptr);
  if (checked != kJsonSuccess) return checked;
  JsonValue element = Kind::Make(value, allocator);
  node->PushBack(element, allocator);
  *added = &(*node)[node->Size() - 1];
  return kJsonSuccess;
}

// Adds a member at the end of an object (checks as CheckMemberAddition)
// and writes the new member's value.
template <typename Kind>
std::int32_t AddMemberValue(JsonValue* node, const char16_t* key, typename Kind::In value, JsonPoolAllocator& allocator,
                            JsonValue** added) {
  const std::int32_t checked = CheckMemberAddition<Kind>(node, key, value, added != nullptr);
  if (checked != kJsonSuccess) return checked;
  JsonValue name(key, DocumentTextLength(key), allocator);
  JsonValue member_value = Kind::Make(value, allocator);
  ReserveRoomForMember(*node, allocator);
  node->AddMember(name, member_value, allocator);
  *added = &(node->MemberEnd() - 1)->value;
  return kJsonSuccess;
}

// The named functions of each kind:
//   Get<Name>Value(node, out), Get<Name>MemberValue(node, key, out)
//   Push<Name>Value(node, value, allocator, out),
//   Add<Name>MemberValue(node, key, value, allocator, out)
#define TQJSON_VALUE_READERS(Name, Kind)                                                                     \
  inline std::int32_t Get##Name##Value(const JsonValue* node, Kind::Out* value) {                            \
    return GetValue<Kind>(node, value);                                                                      \
  }                                                                                                          \
  inline std::int32_t Get##Name##MemberValue(const JsonValue* node, const char16_t* key, Kind::Out* value) { \
    return GetMemberValue<Kind>(node, key, value);                                                           \
  }
#define TQJSON_VALUE_WRITERS(Name, Kind)                                                               \
  inline std::int32_t Push##Name##Value(JsonValue* node, Kind::In value, JsonPoolAllocator& allocator, \
                                        JsonValue** added) {                                           \
    return PushValue<Kind>(node, value, allocator, added);                                             \
  }                                                                                                    \
  inline std::int32_t Add##Name##MemberValue(JsonValue* node, const char16_t* key, Kind::In value,     \
                                             JsonPoolAllocator& allocator, JsonValue** added) {        \
    return AddMemberValue<Kind>(node, key, value, allocator, added);                                   \
  }

TQJSON_VALUE_READERS(Bool, BoolKind)
TQJSON_VALUE_READERS(Int, IntKind)
TQJSON_VALUE_READERS(UInt, UIntKind)
TQJSON_VALUE_READERS(Int64, Int64Kind)
TQJSON_VALUE_READERS(UInt64, UInt64Kind)
TQJSON_VALUE_READERS(Float, FloatKind)
TQJSON_VALUE_READERS(Double, DoubleKind)
TQJSON_VALUE_READERS(String, StringKind)
TQJSON_VALUE_WRITERS(Bool, BoolKind)
TQJSON_VALUE_WRITERS(Int, IntKind)
TQJSON_VALUE_WRITERS(UInt, UIntKind)
TQJSON_VALUE_WRITERS(Int64, Int64Kind)
TQJSON_VALUE_WRITERS(UInt64, UInt64Kind)
TQJSON_VALUE_WRITERS(Float, FloatKind)
TQJSON_VALUE_WRITERS(Double, DoubleKind)
TQJSON_VALUE_WRITERS(String, StringKind)

#undef TQJSON_VALUE_READERS
#undef TQJSON_VALUE_WRITERS

inline std::int32_t PushNullValue(JsonValue* node, JsonPoolAllocator& allocator, JsonValue** added) {
  return PushValue<NullKind>(node, NoValue{}, allocator, added);
}
inline std::int32_t AddNullMemberValue(JsonValue* node, const char16_t* key, JsonPoolAllocator& allocator,
                                       JsonValue** added) {
  return AddMemberValue<NullKind>(node, key, NoValue{}, allocator, added);
}
inline std::int32_t PushObjectNode(JsonValue* node, JsonPoolAllocator& allocator, JsonValue** added) {
  return PushValue<ObjectKind>(node, NoValue{}, allocator, added);
}
inline std::int32_t PushArrayNode(JsonValue* node, JsonPoolAllocator& allocator, JsonValue** added) {
  return PushValue<ArrayKind>(node, NoValue{}, allocator, added);
}
inline std::int32_t AddObjectMemberNode(JsonValue* node, const char16_t* key, JsonPoolAllocator& allocator,
                                        JsonValue** added) {
  return AddMemberValue<ObjectKind>(node, key, NoValue{}, allocator, added);
}
inline std::int32_t AddArrayMemberNode(JsonValue* node, const char16_t* key, JsonPoolAllocator& allocator,
                                       JsonValue** added) {
  return AddMemberValue<ArrayKind>(node, key, NoValue{}, allocator, added);
}

}  // namespace TQJSON
