// The reader's sub-trees as compact JSON text. Each request empties the
// text buffer first, so it ends the life of the text handed out before.
// NaN and the infinities are written as NaN, Infinity and -Infinity, so a
// text is always the whole sub-tree.
#include "json_text_reader.h"
#include "member_lookup.h"
#include "tqjson/rapid_json_parser.h"
#include "value_functions.h"
// After the configuration in json_document.h.
#include <rapidjson/writer.h>

namespace TQJSON {
namespace {

// A reader's document nests at most kMaxJsonNesting levels deep (deeper
// input does not load) and holds no unpaired surrogate (such input does
// not load either), so RapidJSON's own recursive walk writes it safely,
// and fastest.
bool WriteJsonText(const JsonValue& node, JsonTextBuffer& text) {
  rapidjson::Writer<JsonTextBuffer, JsonEncodingUtf16, JsonEncodingUtf16, JsonAllocator> writer(text);
  return node.Accept(writer);
}

// The value of the member `key` of a handle's object: unknown handle -2;
// not an object or no such member 0.
std::int32_t FindObjectMember(const JsonValue* node, const char16_t* key, const JsonValue** member) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  const JsonMember* found = FindMemberIgnoringCase(*node, key);
  if (found == nullptr) return JSONFUN_FAILED;
  *member = &found->value;
  return kJsonSuccess;
}

std::int32_t FoundHandle(const JsonValue* node) { return node != nullptr ? kJsonSuccess : JSONFUN_ADDRESS_ERROR; }

}  // namespace

std::int32_t CRapidJsonParser::WriteNodeText(std::int32_t lookup, const JsonValue* node, KindTest is_kind,
                                             const char16_t** text) {
  if (lookup != kJsonSuccess) return lookup;
  if (text == nullptr || (is_kind != nullptr && !(node->*is_kind)())) return JSONFUN_FAILED;
  if (!WriteJsonText(*node, text_)) return JSONFUN_FAILED;
  *text = text_.GetString();
  return kJsonSuccess;
}

std::int32_t CRapidJsonParser::GetObjectJsonTextByPath(const char16_t* path, const char16_t** text) {
  text_.Clear();
  const JsonValue* node = nullptr;
  const std::int32_t lookup = FindPath(path, &node);
  return WriteNodeText(lookup, node, &JsonValue::IsObject, text);
}

std::int32_t CRapidJsonParser::GetObjectJsonTextByHandle(JsonHandle handle, const char16_t** text) {
  text_.Clear();
  const JsonValue* node = FindHandle(handle);
  return WriteNodeText(FoundHandle(node), node, &JsonValue::IsObject, text);
}

std::int32_t CRapidJsonParser::GetObjectJsonTextMemberByHandle(JsonHandle handle, const char16_t* key,
                                                               const char16_t** text) {
  text_.Clear();
  const JsonValue* member = nullptr;
  const std::int32_t lookup = FindObjectMember(FindHandle(handle), key, &member);
  return WriteNodeText(lookup, member, &JsonValue::IsObject, text);
}

std::int32_t CRapidJsonParser::GetArrayJsonTextByPath(const char16_t* path, const char16_t** text) {
  text_.Clear();
  const JsonValue* node = nullptr;
  const std::int32_t lookup = FindPath(path, &node);
  return WriteNodeText(lookup, node, &JsonValue::IsArray, text);
}

std::int32_t CRapidJsonParser::GetArrayJsonTextByHandle(JsonHandle handle, const char16_t** text) {
  text_.Clear();
  const JsonValue* node = FindHandle(handle);
  return WriteNodeText(FoundHandle(node), node, &JsonValue::IsArray, text);
}

std::int32_t CRapidJsonParser::GetArrayJsonTextMemberByHandle(JsonHandle handle, const char16_t* key,
                                                              const char16_t** text) {
  text_.Clear();
  const JsonValue* member = nullptr;
  const std::int32_t lookup = FindObjectMember(FindHandle(handle), key, &member);
  return WriteNodeText(lookup, member, &JsonValue::IsArray, text);
}

std::int32_t CRapidJsonParser::GetMemberJsonText(JsonItem item, const char16_t* key, const char16_t** text) {
  if (text != nullptr) *text = nullptr;
  text_.Clear();
  const JsonValue* member = nullptr;
  std::int32_t type = 0;
  const std::int32_t lookup = FindMemberWithType(FindItem(item), key, text != nullptr ? &member : nullptr, &type);
  return WriteNodeText(lookup, member, nullptr, text);
}

}  // namespace TQJSON
