// The reader's typed values: booleans, numbers, strings and blobs in their
// five forms, special-number kinds and variants.
#include <cmath>
#include <limits>

#include "base64_blob.h"
#include "tqjson/rapid_json_parser.h"
#include "value_functions.h"

namespace TQJSON {
namespace {

// The special-number kind of a number: integers and finite values are
// ordinary.
std::uint32_t NumberKindOf(const JsonValue& number) {
  if (!number.IsDouble()) return kJsonNumberOrdinary;
  const double value = number.GetDouble();
  if (value == std::numeric_limits<double>::infinity()) return kJsonNumberPositiveInfinity;
  if (value == -std::numeric_limits<double>::infinity()) return kJsonNumberNegativeInfinity;
  return std::isnan(value) ? kJsonNumberNaN : kJsonNumberOrdinary;
}

// Null node -2; null output 0; not a number -3.
std::int32_t GetNumberKind(const JsonValue* node, std::uint32_t* kind) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (kind == nullptr) return JSONFUN_FAILED;
  if (!node->IsNumber()) return JSONFUN_TYPE_ERROR;
  *kind = NumberKindOf(*node);
  return kJsonSuccess;
}

// A typed read of the node itself (null key) or of its member.
template <typename Kind>
std::int32_t ReadValue(const JsonValue* node, const char16_t* key, typename Kind::Out* value) {
  return key == nullptr ? GetValue<Kind>(node, value) : GetMemberValue<Kind>(node, key, value);
}

// The string as a reference, else the signed 64-bit integer; else the code
// of the integer read.
std::int32_t GetVariantValue(const JsonValue* node, const char16_t* key, JsonVariant* variant) {
  const char16_t* text = nullptr;
  std::int64_t number = 0;
  const bool is_text = ReadValue<StringKind>(node, key, &text) == kJsonSuccess;
  if (!is_text) {
    const std::int32_t read = ReadValue<Int64Kind>(node, key, &number);
    if (read != kJsonSuccess) return read;
  }
  if (variant == nullptr) return JSONFUN_FAILED;
  if (is_text) {
    variant->type = kJsonVariantTextRef;
    variant->value.text = text;
  } else {
    variant->type = kJsonVariantInt64;
    variant->value.int64_value = number;
  }
  return kJsonSuccess;
}

}  // namespace

// The five forms of a typed read: member of an item, item, path, member of
// a handle, handle.
#define TQJSON_READER_TYPED_GETTERS(Name, Kind)                                                                  \
  std::int32_t CRapidJsonParser::Get##Name##Member(JsonItem item, const char16_t* key, Kind::Out* value) {       \
    return GetMemberValue<Kind>(FindItem(item), key, value);                                                     \
  }                                                                                                              \
  std::int32_t CRapidJsonParser::Get##Name(JsonItem item, Kind::Out* value) {                                    \
    return GetValue<Kind>(FindItem(item), value);                                                                \
  }                                                                                                              \
  std::int32_t CRapidJsonParser::Get##Name##ByPath(const char16_t* path, Kind::Out* value) {                     \
    const JsonValue* node = nullptr;                                                                             \
    const std::int32_t at_path = FindPath(path, &node);                                                          \
    return at_path == kJsonSuccess ? GetValue<Kind>(node, value) : at_path;                                      \
  }                                                                                                              \
  std::int32_t CRapidJsonParser::Get##Name##MemberByHandle(JsonHandle handle, const char16_t* key,               \
                                                           Kind::Out* value) {                                   \
    return GetMemberValue<Kind>(FindHandle(handle), key, value);                                                 \
  }                                                                                                              \
  std::int32_t CRapidJsonParser::Get##Name##ByHandle(JsonHandle handle, Kind::Out* value) {                      \
    return GetValue<Kind>(FindHandle(handle), value);                                                            \
  }

TQJSON_READER_TYPED_GETTERS(Boolean, BoolKind)
TQJSON_READER_TYPED_GETTERS(Double, DoubleKind)
TQJSON_READER_TYPED_GETTERS(Float, FloatKind)
TQJSON_READER_TYPED_GETTERS(UInt64, UInt64Kind)
TQJSON_READER_TYPED_GETTERS(Int64, Int64Kind)
TQJSON_READER_TYPED_GETTERS(UInt, UIntKind)
TQJSON_READER_TYPED_GETTERS(Int, IntKind)
TQJSON_READER_TYPED_GETTERS(String, StringKind)

#undef TQJSON_READER_TYPED_GETTERS

// The five forms of a blob read: the string read in the same form, decoded.
#define TQJSON_READER_BLOB_GETTER(Form, parameters, arguments)                                        \
  std::int32_t CRapidJsonParser::GetBlob##Form parameters {                                           \
    const char16_t* text = nullptr;                                                                   \
    const std::int32_t read = GetString##Form arguments;                                              \
    return read == kJsonSuccess ? DecodeBase64Blob(scratch_, text, data, size) : read;                \
  }

TQJSON_READER_BLOB_GETTER(Member, (JsonItem item, const char16_t* key, const std::uint8_t** data, std::uint32_t* size),
                          (item, key, &text))
TQJSON_READER_BLOB_GETTER(, (JsonItem item, const std::uint8_t** data, std::uint32_t* size), (item, &text))
TQJSON_READER_BLOB_GETTER(ByPath, (const char16_t* path, const std::uint8_t** data, std::uint32_t* size),
                          (path, &text))
TQJSON_READER_BLOB_GETTER(MemberByHandle,
                          (JsonHandle handle, const char16_t* key, const std::uint8_t** data, std::uint32_t* size),
                          (handle, key, &text))
TQJSON_READER_BLOB_GETTER(ByHandle, (JsonHandle handle, const std::uint8_t** data, std::uint32_t* size),
                          (handle, &text))

#undef TQJSON_READER_BLOB_GETTER

std::int32_t CRapidJsonParser::GetNumberKindByPath(const char16_t* path, std::uint32_t* kind) {
  const JsonValue* node = nullptr;
  const std::int32_t at_path = FindPath(path, &node);
  return at_path == kJsonSuccess ? GetNumberKind(node, kind) : at_path;
}

std::int32_t CRapidJsonParser::GetNumberKindMemberByHandle(JsonHandle handle, const char16_t* key,
                                                           std::uint32_t* kind) {
  const JsonValue* node = FindHandle(handle);
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (!node->IsObject()) return JSONFUN_TYPE_ERROR;
  const JsonMember* member = FindMemberIgnoringCase(*node, key);
  return GetNumberKind(member != nullptr ? &member->value : nullptr, kind);
}

std::int32_t CRapidJsonParser::GetNumberKindByHandle(JsonHandle handle, std::uint32_t* kind) {
  return GetNumberKind(FindHandle(handle), kind);
}

std::int32_t CRapidJsonParser::GetVariant(JsonItem item, const char16_t* key, JsonVariant* variant) {
  return GetVariantValue(FindItem(item), key, variant);
}

std::int32_t CRapidJsonParser::GetVariantByHandle(JsonHandle handle, const char16_t* key, JsonVariant* variant) {
  return GetVariantValue(FindHandle(handle), key, variant);
}

}  // namespace TQJSON
