// Reader operations that are not built yet: each fails without touching
// the document. They move to their own files as they are built.
#include "tqjson/rapid_json_parser.h"

namespace TQJSON {

std::int32_t CRapidJsonParser::LoadFromBuffer(const void*, std::uint32_t) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::LoadFromString(const char16_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::LoadFromFileWithMessage(const char16_t*, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::LoadFromFile(const char16_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::HasError() { return parse_error_ != 0 ? 1 : 0; }
std::int32_t CRapidJsonParser::GetErrorOffset(std::uint32_t* offset) {
  if (offset == nullptr) return JSONFUN_FAILED;
  *offset = error_offset_;
  return kJsonSuccess;
}
std::int32_t CRapidJsonParser::GetErrorText(const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetRoot(JsonItem*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetRootHandle(JsonHandle*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetMember(JsonItem, const char16_t*, JsonItem*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetChild(JsonItem, std::int32_t, JsonItem*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetMemberByPath(const char16_t*, const char16_t*, JsonHandle*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetChildByPath(const char16_t*, std::int32_t, JsonHandle*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetMemberByHandle(JsonHandle, const char16_t*, JsonHandle*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetChildByHandle(JsonHandle, std::int32_t, JsonHandle*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetMemberName(JsonItem, std::int32_t, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetMemberNameByPath(const char16_t*, std::int32_t, const char16_t**) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetMemberNameByHandle(JsonHandle, std::int32_t, const char16_t**) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetChildCount(JsonItem, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetChildCountByPath(const char16_t*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetChildCountByHandle(JsonHandle, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetItemType(JsonItem, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetItemTypeByPath(const char16_t*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetMemberTypeByHandle(JsonHandle, const char16_t*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetItemTypeByHandle(JsonHandle, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetBooleanMember(JsonItem, const char16_t*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetBoolean(JsonItem, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetBooleanByPath(const char16_t*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetBooleanMemberByHandle(JsonHandle, const char16_t*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetBooleanByHandle(JsonHandle, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetDoubleMember(JsonItem, const char16_t*, double*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetDouble(JsonItem, double*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetFloatMember(JsonItem, const char16_t*, float*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetFloat(JsonItem, float*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetUInt64Member(JsonItem, const char16_t*, std::uint64_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetUInt64(JsonItem, std::uint64_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetInt64Member(JsonItem, const char16_t*, std::int64_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetInt64(JsonItem, std::int64_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetUIntMember(JsonItem, const char16_t*, std::uint32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetUInt(JsonItem, std::uint32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetIntMember(JsonItem, const char16_t*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetInt(JsonItem, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetDoubleByPath(const char16_t*, double*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetFloatByPath(const char16_t*, float*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetUInt64ByPath(const char16_t*, std::uint64_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetInt64ByPath(const char16_t*, std::int64_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetUIntByPath(const char16_t*, std::uint32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetIntByPath(const char16_t*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetDoubleMemberByHandle(JsonHandle, const char16_t*, double*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetDoubleByHandle(JsonHandle, double*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetFloatMemberByHandle(JsonHandle, const char16_t*, float*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetFloatByHandle(JsonHandle, float*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetUInt64MemberByHandle(JsonHandle, const char16_t*, std::uint64_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetUInt64ByHandle(JsonHandle, std::uint64_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetInt64MemberByHandle(JsonHandle, const char16_t*, std::int64_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetInt64ByHandle(JsonHandle, std::int64_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetUIntMemberByHandle(JsonHandle, const char16_t*, std::uint32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetUIntByHandle(JsonHandle, std::uint32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetIntMemberByHandle(JsonHandle, const char16_t*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetIntByHandle(JsonHandle, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetBlobMember(JsonItem, const char16_t*, const std::uint8_t**, std::uint32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetBlob(JsonItem, const std::uint8_t**, std::uint32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetBlobByPath(const char16_t*, const std::uint8_t**, std::uint32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetBlobMemberByHandle(JsonHandle, const char16_t*, const std::uint8_t**,
                                                     std::uint32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetBlobByHandle(JsonHandle, const std::uint8_t**, std::uint32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetStringMember(JsonItem, const char16_t*, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetString(JsonItem, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetStringByPath(const char16_t*, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetStringMemberByHandle(JsonHandle, const char16_t*, const char16_t**) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetStringByHandle(JsonHandle, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetObjectMember(JsonItem, const char16_t*, JsonItem*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetObjectByPath(const char16_t*, JsonHandle*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetObjectMemberByHandle(JsonHandle, const char16_t*, JsonHandle*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetArrayMember(JsonItem, const char16_t*, JsonItem*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetArrayByPath(const char16_t*, JsonHandle*, std::int32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetArrayMemberByHandle(JsonHandle, const char16_t*, JsonHandle*, std::int32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetHandleByPath(const char16_t*, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetObjectJsonTextByPath(const char16_t*, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetObjectJsonTextByHandle(JsonHandle, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetObjectJsonTextMemberByHandle(JsonHandle, const char16_t*, const char16_t**) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetArrayJsonTextByPath(const char16_t*, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetArrayJsonTextByHandle(JsonHandle, const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetArrayJsonTextMemberByHandle(JsonHandle, const char16_t*, const char16_t**) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetNumberKindByPath(const char16_t*, std::uint32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetNumberKindMemberByHandle(JsonHandle, const char16_t*, std::uint32_t*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonParser::GetNumberKindByHandle(JsonHandle, std::uint32_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::PathExists(const char16_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::HasMemberByHandle(JsonHandle, const char16_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::HasMemberByPath(const char16_t*, const char16_t*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetVariant(JsonItem, const char16_t*, JsonVariant*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetVariantByHandle(JsonHandle, const char16_t*, JsonVariant*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonParser::GetMemberJsonText(JsonItem, const char16_t*, const char16_t**) { return JSONFUN_FAILED; }

}  // namespace TQJSON
