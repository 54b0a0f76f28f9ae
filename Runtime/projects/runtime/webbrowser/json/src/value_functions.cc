#include "value_functions.h"

#include "value_type_code.h"

namespace TQJSON {
namespace {

std::int32_t GetContainerSize(const JsonValue* node, bool (JsonValue::*is_kind)() const,
                              rapidjson::SizeType (JsonValue::*size_of)() const, std::int32_t* count) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (count == nullptr) return JSONFUN_FAILED;
  if (!(node->*is_kind)()) return JSONFUN_TYPE_ERROR;
  *count = static_cast<std::int32_t>((node->*size_of)());
  return kJsonSuccess;
}

}  // namespace

std::int32_t GetMemberCount(const JsonValue* node, std::int32_t* count) {
  return GetContainerSize(node, &JsonValue::IsObject, &JsonValue::MemberCount, count);
}

std::int32_t GetArraySize(const JsonValue* node, std::int32_t* count) {
  return GetContainerSize(node, &JsonValue::IsArray, &JsonValue::Size, count);
}

std::int32_t GetMemberNameAt(const JsonValue* node, std::int32_t index, const char16_t** name) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (name == nullptr) return JSONFUN_FAILED;
  if (!node->IsObject()) return JSONFUN_TYPE_ERROR;
  const auto position = static_cast<std::uint32_t>(index);
  if (position >= node->MemberCount()) return JSONFUN_FAILED;
  *name = (node->MemberBegin() + position)->name.GetString();
  return kJsonSuccess;
}

std::int32_t FindMemberWithType(const JsonValue* node, const char16_t* key, const JsonValue** member,
                                std::int32_t* type) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (key == nullptr) return JSONFUN_KEY_ERROR;
  if (member == nullptr || type == nullptr) return JSONFUN_FAILED;
  if (!node->IsObject()) return JSONFUN_TYPE_ERROR;
  const JsonMember* found = FindMemberIgnoringCase(*node, key);
  if (found == nullptr) return JSONFUN_FAILED;
  *member = &found->value;
  *type = GetCoarseTypeCode(found->value);
  return kJsonSuccess;
}

}  // namespace TQJSON
