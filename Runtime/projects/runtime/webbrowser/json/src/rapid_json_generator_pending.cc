// Writer operations that are not built yet: each fails without touching
// the document. They move to their own files as they are built.
#include "tqjson/rapid_json_generator.h"

namespace TQJSON {

std::int32_t CRapidJsonGenerator::AddObjectMember(JsonItem, const char16_t*, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AppendObject(JsonItem, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddObjectMemberByPath(const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendObjectByPath(const char16_t*, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddObjectMemberByHandle(JsonHandle, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendObjectByHandle(JsonHandle, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddArrayMember(JsonItem, const char16_t*, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AppendArray(JsonItem, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddArrayMemberByPath(const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendArrayByPath(const char16_t*, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddArrayMemberByHandle(JsonHandle, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendArrayByHandle(JsonHandle, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddBooleanMember(JsonItem, const char16_t*, std::int32_t, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendBoolean(JsonItem, std::int32_t, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddBooleanMemberByPath(const char16_t*, const char16_t*, std::int32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendBooleanByPath(const char16_t*, std::int32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddBooleanMemberByHandle(JsonHandle, const char16_t*, std::int32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendBooleanByHandle(JsonHandle, std::int32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddDoubleMember(JsonItem, const char16_t*, double, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendDouble(JsonItem, double, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddFloatMember(JsonItem, const char16_t*, float, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AppendFloat(JsonItem, float, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddUInt64Member(JsonItem, const char16_t*, std::uint64_t, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendUInt64(JsonItem, std::uint64_t, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddInt64Member(JsonItem, const char16_t*, std::int64_t, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendInt64(JsonItem, std::int64_t, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddUIntMember(JsonItem, const char16_t*, std::uint32_t, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendUInt(JsonItem, std::uint32_t, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddIntMember(JsonItem, const char16_t*, std::int32_t, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendInt(JsonItem, std::int32_t, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddSpecialNumberMemberByPath(const char16_t*, const char16_t*, std::uint32_t,
                                                               JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendSpecialNumberByPath(const char16_t*, std::uint32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddSpecialNumberMemberByHandle(JsonHandle, const char16_t*, std::uint32_t,
                                                                 JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendSpecialNumberByHandle(JsonHandle, std::uint32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddDoubleMemberByPath(const char16_t*, const char16_t*, double, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendDoubleByPath(const char16_t*, double, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddFloatMemberByPath(const char16_t*, const char16_t*, float, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendFloatByPath(const char16_t*, float, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddUInt64MemberByPath(const char16_t*, const char16_t*, std::uint64_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendUInt64ByPath(const char16_t*, std::uint64_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddInt64MemberByPath(const char16_t*, const char16_t*, std::int64_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendInt64ByPath(const char16_t*, std::int64_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddUIntMemberByPath(const char16_t*, const char16_t*, std::uint32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendUIntByPath(const char16_t*, std::uint32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddIntMemberByPath(const char16_t*, const char16_t*, std::int32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendIntByPath(const char16_t*, std::int32_t, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddDoubleMemberByHandle(JsonHandle, const char16_t*, double, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendDoubleByHandle(JsonHandle, double, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddFloatMemberByHandle(JsonHandle, const char16_t*, float, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendFloatByHandle(JsonHandle, float, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddUInt64MemberByHandle(JsonHandle, const char16_t*, std::uint64_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendUInt64ByHandle(JsonHandle, std::uint64_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddInt64MemberByHandle(JsonHandle, const char16_t*, std::int64_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendInt64ByHandle(JsonHandle, std::int64_t, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddUIntMemberByHandle(JsonHandle, const char16_t*, std::uint32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendUIntByHandle(JsonHandle, std::uint32_t, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddIntMemberByHandle(JsonHandle, const char16_t*, std::int32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendIntByHandle(JsonHandle, std::int32_t, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddBlobMember(JsonItem, const char16_t*, const void*, std::uint32_t, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendBlob(JsonItem, const void*, std::uint32_t, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddBlobMemberByPath(const char16_t*, const char16_t*, const void*, std::uint32_t,
                                                      JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendBlobByPath(const char16_t*, const void*, std::uint32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddBlobMemberByHandle(JsonHandle, const char16_t*, const void*, std::uint32_t,
                                                        JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendBlobByHandle(JsonHandle, const void*, std::uint32_t, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddStringMember(JsonItem, const char16_t*, const char16_t*, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendString(JsonItem, const char16_t*, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddStringMemberByPath(const char16_t*, const char16_t*, const char16_t*,
                                                        JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendStringByPath(const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddStringMemberByHandle(JsonHandle, const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendStringByHandle(JsonHandle, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddNullMember(JsonItem, const char16_t*, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AppendNull(JsonItem, JsonItem*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddNullMemberByPath(const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendNullByPath(const char16_t*, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddNullMemberByHandle(JsonHandle, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AppendNullByHandle(JsonHandle, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::AddVariant(JsonItem, const char16_t*, const JsonVariant*, JsonItem*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddVariantByPath(const char16_t*, const char16_t*, const JsonVariant*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::AddVariantByHandle(JsonHandle, const char16_t*, const JsonVariant*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::SaveToFile(const char16_t*, std::int32_t) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::SaveToFileFormatted(const char16_t*, std::int32_t, std::int32_t) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::GetJsonText(const char16_t**) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::SaveToBuffer(const std::uint8_t**, std::uint32_t*, std::int32_t) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::LoadFromFile(const char16_t*, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::InsertFileMemberByPath(const char16_t*, const char16_t*, const char16_t*,
                                                         JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::InsertFileByPath(const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::InsertFileMemberByHandle(JsonHandle, const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::InsertFileByHandle(JsonHandle, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::LoadFromString(const char16_t*, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::InsertTextMemberByPath(const char16_t*, const char16_t*, const char16_t*,
                                                         JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::InsertTextByPath(const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::InsertTextMemberByHandle(JsonHandle, const char16_t*, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::InsertTextByHandle(JsonHandle, const char16_t*, JsonHandle*) {
  return JSONFUN_FAILED;
}
std::int32_t CRapidJsonGenerator::GetPathOfHandle(JsonHandle, char16_t*, std::uint32_t) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::GetHandleOfPath(const char16_t*, JsonHandle*) { return JSONFUN_FAILED; }
std::int32_t CRapidJsonGenerator::InsertTextMember(JsonItem, const char16_t*, const char16_t*) {
  return JSONFUN_FAILED;
}

}  // namespace TQJSON
