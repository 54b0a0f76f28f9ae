// Loading and inserting whole documents into the writer are not built
// yet: each of these operations fails without touching the document.
#include "tqjson/rapid_json_generator.h"

namespace TQJSON {

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
std::int32_t CRapidJsonGenerator::InsertTextMember(JsonItem, const char16_t*, const char16_t*) {
  return JSONFUN_FAILED;
}

}  // namespace TQJSON
