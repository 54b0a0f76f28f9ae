// Reader operations that are not built yet: each fails without touching
// the document. They move to their own files as they are built.
#include "tqjson/rapid_json_parser.h"

namespace TQJSON {

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
std::int32_t CRapidJsonParser::GetMemberJsonText(JsonItem, const char16_t*, const char16_t**) { return JSONFUN_FAILED; }

}  // namespace TQJSON
