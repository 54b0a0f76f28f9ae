// Building documents: the adders of every kind in their six addressing
// forms, special numbers, blobs and variants.
#include <limits>

#include "base64_blob.h"
#include "rapid_json_generator_adders.h"

namespace TQJSON {
namespace {

// Encodes a blob into the scratch buffer and hands the text to `add`.
template <typename AddText>
std::int32_t WithBlobText(ScratchBuffer& scratch, const void* data, std::uint32_t size, AddText add) {
  const char16_t* text = nullptr;
  const std::int32_t encoded = EncodeBase64Blob(scratch, data, size, &text);
  return encoded == kJsonSuccess ? add(text) : encoded;
}

// Calls `add` with the kind and value that a variant's tag selects: a
// signed 64-bit integer or a string; another tag gives 0.
template <typename Add>
std::int32_t WithVariantValue(const JsonVariant* variant, Add add) {
  if (variant == nullptr) return JSONFUN_FAILED;
  switch (variant->type) {
    case kJsonVariantInt64:
      return add(Int64Kind{}, variant->value.int64_value);
    case kJsonVariantTextRef:
      return add(StringKind{}, variant->value.text);
    default:
      return JSONFUN_FAILED;
  }
}

double SpecialNumber(std::uint32_t kind) {
  switch (kind) {
    case kJsonNumberNaN:
      return std::numeric_limits<double>::quiet_NaN();
    case kJsonNumberPositiveInfinity:
      return std::numeric_limits<double>::infinity();
    default:
      return -std::numeric_limits<double>::infinity();
  }
}

JsonItem ItemOf(const JsonValue* value) { return reinterpret_cast<JsonItem>(value); }

}  // namespace

template <typename Kind>
std::int32_t CRapidJsonGenerator::AddMemberToItem(JsonItem item, const char16_t* key, typename Kind::In value,
                                                  JsonItem* added) {
  JsonValue* parent = items_.Find(item);
  JsonValue* member = nullptr;
  const std::int32_t result = GrowContainer(parent, [&] {
    return AddMemberValue<Kind>(parent, key, value, document_.GetAllocator(), added != nullptr ? &member : nullptr);
  });
  if (result != kJsonSuccess) return result;
  items_.Add(member);
  *added = ItemOf(member);
  return kJsonSuccess;
}

template <typename Kind>
std::int32_t CRapidJsonGenerator::AppendToItem(JsonItem item, typename Kind::In value, JsonItem* added) {
  JsonValue* parent = items_.Find(item);
  JsonValue* element = nullptr;
  const std::int32_t result = GrowContainer(parent, [&] {
    return PushValue<Kind>(parent, value, document_.GetAllocator(), added != nullptr ? &element : nullptr);
  });
  if (result != kJsonSuccess) return result;
  items_.Add(element);
  *added = ItemOf(element);
  return kJsonSuccess;
}

// The six forms of one kind: member and append by item, by path, by handle.
#define TQJSON_DEFINE_ADDERS(Name, Kind, VALUE_PARAMETER, VALUE)                                                       \
  std::int32_t CRapidJsonGenerator::Add##Name##Member(JsonItem item, const char16_t* key VALUE_PARAMETER,              \
                                                      JsonItem* added) {                                               \
    return AddMemberToItem<Kind>(item, key, VALUE, added);                                                             \
  }                                                                                                                    \
  std::int32_t CRapidJsonGenerator::Append##Name(JsonItem item VALUE_PARAMETER, JsonItem* added) {                     \
    return AppendToItem<Kind>(item, VALUE, added);                                                                     \
  }                                                                                                                    \
  std::int32_t CRapidJsonGenerator::Add##Name##MemberByPath(const char16_t* path, const char16_t* key VALUE_PARAMETER, \
                                                            JsonHandle* added) {                                       \
    return WithPathParent(path,                                                                                        \
                          [&](const Parent& parent) { return AddMemberToParent<Kind>(parent, key, VALUE, added); });   \
  }                                                                                                                    \
  std::int32_t CRapidJsonGenerator::Append##Name##ByPath(const char16_t* path VALUE_PARAMETER, JsonHandle* added) {    \
    return WithPathParent(path, [&](const Parent& parent) { return AppendToParent<Kind>(parent, VALUE, added); });     \
  }                                                                                                                    \
  std::int32_t CRapidJsonGenerator::Add##Name##MemberByHandle(JsonHandle handle, const char16_t* key VALUE_PARAMETER,  \
                                                              JsonHandle* added) {                                     \
    return WithHandleParent(handle,                                                                                    \
                            [&](const Parent& parent) { return AddMemberToParent<Kind>(parent, key, VALUE, added); }); \
  }                                                                                                                    \
  std::int32_t CRapidJsonGenerator::Append##Name##ByHandle(JsonHandle handle VALUE_PARAMETER, JsonHandle* added) {     \
    return WithHandleParent(handle, [&](const Parent& parent) { return AppendToParent<Kind>(parent, VALUE, added); }); \
  }

// The value parameter of a kind that carries one.
#define TQJSON_VALUE_PARAMETER(type) , type value

TQJSON_DEFINE_ADDERS(Object, ObjectKind, , NoValue{})
TQJSON_DEFINE_ADDERS(Array, ArrayKind, , NoValue{})
TQJSON_DEFINE_ADDERS(Boolean, BoolKind, TQJSON_VALUE_PARAMETER(std::int32_t), value)
TQJSON_DEFINE_ADDERS(Double, DoubleKind, TQJSON_VALUE_PARAMETER(double), value)
TQJSON_DEFINE_ADDERS(Float, FloatKind, TQJSON_VALUE_PARAMETER(float), value)
TQJSON_DEFINE_ADDERS(UInt64, UInt64Kind, TQJSON_VALUE_PARAMETER(std::uint64_t), value)
TQJSON_DEFINE_ADDERS(Int64, Int64Kind, TQJSON_VALUE_PARAMETER(std::int64_t), value)
TQJSON_DEFINE_ADDERS(UInt, UIntKind, TQJSON_VALUE_PARAMETER(std::uint32_t), value)
TQJSON_DEFINE_ADDERS(Int, IntKind, TQJSON_VALUE_PARAMETER(std::int32_t), value)
TQJSON_DEFINE_ADDERS(String, StringKind, TQJSON_VALUE_PARAMETER(const char16_t*), value)
TQJSON_DEFINE_ADDERS(Null, NullKind, , NoValue{})

#undef TQJSON_VALUE_PARAMETER
#undef TQJSON_DEFINE_ADDERS

std::int32_t CRapidJsonGenerator::AddCountedStringMember(JsonItem item, const char16_t* key, std::u16string_view value,
                                                         JsonItem* added) {
  return AddMemberToItem<CountedStringKind>(item, key, value, added);
}

// Special numbers: kind 0 is the integer 0, kinds 1 to 3 NaN and the
// infinities; another kind adds nothing and gives 0.
std::int32_t CRapidJsonGenerator::AddSpecialNumberMember(const Parent& parent, const char16_t* key, std::uint32_t kind,
                                                         JsonHandle* added) {
  if (kind == kJsonNumberOrdinary) return AddMemberToParent<IntKind>(parent, key, 0, added);
  if (kind > kJsonNumberNegativeInfinity) return JSONFUN_FAILED;
  return AddMemberToParent<DoubleKind>(parent, key, SpecialNumber(kind), added);
}

std::int32_t CRapidJsonGenerator::AppendSpecialNumber(const Parent& parent, std::uint32_t kind, JsonHandle* added) {
  if (kind == kJsonNumberOrdinary) return AppendToParent<IntKind>(parent, 0, added);
  if (kind > kJsonNumberNegativeInfinity) return JSONFUN_FAILED;
  return AppendToParent<DoubleKind>(parent, SpecialNumber(kind), added);
}

std::int32_t CRapidJsonGenerator::AddSpecialNumberMemberByPath(const char16_t* path, const char16_t* key,
                                                               std::uint32_t kind, JsonHandle* added) {
  return WithPathParent(path, [&](const Parent& parent) { return AddSpecialNumberMember(parent, key, kind, added); });
}

std::int32_t CRapidJsonGenerator::AppendSpecialNumberByPath(const char16_t* path, std::uint32_t kind,
                                                            JsonHandle* added) {
  return WithPathParent(path, [&](const Parent& parent) { return AppendSpecialNumber(parent, kind, added); });
}

std::int32_t CRapidJsonGenerator::AddSpecialNumberMemberByHandle(JsonHandle handle, const char16_t* key,
                                                                 std::uint32_t kind, JsonHandle* added) {
  return WithHandleParent(handle,
                          [&](const Parent& parent) { return AddSpecialNumberMember(parent, key, kind, added); });
}

std::int32_t CRapidJsonGenerator::AppendSpecialNumberByHandle(JsonHandle handle, std::uint32_t kind,
                                                              JsonHandle* added) {
  return WithHandleParent(handle, [&](const Parent& parent) { return AppendSpecialNumber(parent, kind, added); });
}

// Blobs are added as their base64 text through the string adder of the
// same form.
std::int32_t CRapidJsonGenerator::AddBlobMember(JsonItem item, const char16_t* key, const void* data,
                                                std::uint32_t size, JsonItem* added) {
  return WithBlobText(scratch_, data, size,
                      [&](const char16_t* text) { return AddStringMember(item, key, text, added); });
}

std::int32_t CRapidJsonGenerator::AppendBlob(JsonItem item, const void* data, std::uint32_t size, JsonItem* added) {
  return WithBlobText(scratch_, data, size, [&](const char16_t* text) { return AppendString(item, text, added); });
}

std::int32_t CRapidJsonGenerator::AddBlobMemberByPath(const char16_t* path, const char16_t* key, const void* data,
                                                      std::uint32_t size, JsonHandle* added) {
  return WithBlobText(scratch_, data, size,
                      [&](const char16_t* text) { return AddStringMemberByPath(path, key, text, added); });
}

std::int32_t CRapidJsonGenerator::AppendBlobByPath(const char16_t* path, const void* data, std::uint32_t size,
                                                   JsonHandle* added) {
  return WithBlobText(scratch_, data, size,
                      [&](const char16_t* text) { return AppendStringByPath(path, text, added); });
}

std::int32_t CRapidJsonGenerator::AddBlobMemberByHandle(JsonHandle handle, const char16_t* key, const void* data,
                                                        std::uint32_t size, JsonHandle* added) {
  return WithBlobText(scratch_, data, size,
                      [&](const char16_t* text) { return AddStringMemberByHandle(handle, key, text, added); });
}

std::int32_t CRapidJsonGenerator::AppendBlobByHandle(JsonHandle handle, const void* data, std::uint32_t size,
                                                     JsonHandle* added) {
  return WithBlobText(scratch_, data, size,
                      [&](const char16_t* text) { return AppendStringByHandle(handle, text, added); });
}

// Variants: with a key as a member, without one appended.
std::int32_t CRapidJsonGenerator::AddVariant(JsonItem item, const char16_t* key, const JsonVariant* variant,
                                             JsonItem* added) {
  return WithVariantValue(variant, [&](auto kind, auto value) {
    using Kind = decltype(kind);
    return key != nullptr ? AddMemberToItem<Kind>(item, key, value, added) : AppendToItem<Kind>(item, value, added);
  });
}

std::int32_t CRapidJsonGenerator::AddVariantByPath(const char16_t* path, const char16_t* key,
                                                   const JsonVariant* variant, JsonHandle* added) {
  return WithVariantValue(variant, [&](auto kind, auto value) {
    using Kind = decltype(kind);
    return WithPathParent(path, [&](const Parent& parent) {
      return key != nullptr ? AddMemberToParent<Kind>(parent, key, value, added)
                            : AppendToParent<Kind>(parent, value, added);
    });
  });
}

std::int32_t CRapidJsonGenerator::AddVariantByHandle(JsonHandle handle, const char16_t* key, const JsonVariant* variant,
                                                     JsonHandle* added) {
  return WithVariantValue(variant, [&](auto kind, auto value) {
    using Kind = decltype(kind);
    return WithHandleParent(handle, [&](const Parent& parent) {
      return key != nullptr ? AddMemberToParent<Kind>(parent, key, value, added)
                            : AppendToParent<Kind>(parent, value, added);
    });
  });
}

}  // namespace TQJSON
