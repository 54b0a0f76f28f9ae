// The reader's questions about nodes: the root, members and children,
// member names, child counts, type codes, selection of objects and arrays,
// handles of paths and the existence tests. Item forms hand out items and
// fine type codes, path and handle forms handles and coarse codes.
#include "tqjson/rapid_json_parser.h"
#include "value_functions.h"
#include "value_type_code.h"

namespace TQJSON {
namespace {

bool IsContainer(const JsonValue& value) { return value.IsObject() || value.IsArray(); }

// The value of a member found by key, with the checks of
// FindMemberWithType; `has_outputs` tells whether the caller can take it.
std::int32_t FindMemberNode(const JsonValue* node, const char16_t* key, bool has_outputs, const JsonValue** found) {
  std::int32_t coarse = 0;
  return FindMemberWithType(node, key, has_outputs ? found : nullptr, &coarse);
}

// The value of the member at `index` of an object, or the element of an
// array: null node -2; no output 0; neither kind -3; index not below the
// count (compared as unsigned) 0.
std::int32_t FindChildNode(const JsonValue* node, std::int32_t index, bool has_outputs, const JsonValue** found) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (!has_outputs) return JSONFUN_FAILED;
  if (!IsContainer(*node)) return JSONFUN_TYPE_ERROR;
  const auto position = static_cast<std::uint32_t>(index);
  if (node->IsObject()) {
    if (position >= node->MemberCount()) return JSONFUN_FAILED;
    *found = &node->MemberBegin()[position].value;
  } else {
    if (position >= node->Size()) return JSONFUN_FAILED;
    *found = &(*node)[position];
  }
  return kJsonSuccess;
}

// Members of an object, elements of an array: null node -2; no output 0;
// neither kind -3.
std::int32_t CountChildren(const JsonValue* node, std::int32_t* count) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  return node->IsObject() ? GetMemberCount(node, count) : GetArraySize(node, count);
}

std::int32_t CoarseTypeOf(const JsonValue* node, std::int32_t* type) {
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (type == nullptr) return JSONFUN_FAILED;
  *type = GetCoarseTypeCode(*node);
  return kJsonSuccess;
}

}  // namespace

std::int32_t CRapidJsonParser::HandOutNode(std::int32_t lookup, const JsonValue* node, JsonItem* item,
                                           std::int32_t* type) {
  if (lookup != kJsonSuccess) return lookup;
  *item = HandOutItem(node);
  *type = GetValueTypeCode(*node);
  return kJsonSuccess;
}

std::int32_t CRapidJsonParser::HandOutNode(std::int32_t lookup, const JsonValue* node, JsonHandle* handle,
                                           std::int32_t* type) {
  if (lookup != kJsonSuccess) return lookup;
  *handle = HandOutHandle(node);
  *type = GetCoarseTypeCode(*node);
  return kJsonSuccess;
}

std::int32_t CRapidJsonParser::GetRoot(JsonItem* item, std::int32_t* type) {
  if (!IsContainer(document_) || item == nullptr || type == nullptr) return JSONFUN_FAILED;
  return HandOutNode(kJsonSuccess, &document_, item, type);
}

std::int32_t CRapidJsonParser::GetRootHandle(JsonHandle* handle, std::int32_t* type) {
  if (!IsContainer(document_) || handle == nullptr || type == nullptr) return JSONFUN_FAILED;
  return HandOutNode(kJsonSuccess, &document_, handle, type);
}

std::int32_t CRapidJsonParser::GetMember(JsonItem item, const char16_t* key, JsonItem* member, std::int32_t* type) {
  const JsonValue* found = nullptr;
  const bool has_outputs = member != nullptr && type != nullptr;
  const std::int32_t result = FindMemberNode(FindItem(item), key, has_outputs, &found);
  return HandOutNode(result, found, member, type);
}

std::int32_t CRapidJsonParser::GetChild(JsonItem item, std::int32_t index, JsonItem* child, std::int32_t* type) {
  const JsonValue* found = nullptr;
  const bool has_outputs = child != nullptr && type != nullptr;
  const std::int32_t result = FindChildNode(FindItem(item), index, has_outputs, &found);
  return HandOutNode(result, found, child, type);
}

std::int32_t CRapidJsonParser::GetMemberByPath(const char16_t* path, const char16_t* key, JsonHandle* member,
                                               std::int32_t* type) {
  const JsonValue* node = nullptr;
  const std::int32_t at_path = FindPath(path, &node);
  if (at_path != kJsonSuccess) return at_path;
  const JsonValue* found = nullptr;
  const bool has_outputs = member != nullptr && type != nullptr;
  const std::int32_t result = FindMemberNode(node, key, has_outputs, &found);
  return HandOutNode(result, found, member, type);
}

std::int32_t CRapidJsonParser::GetChildByPath(const char16_t* path, std::int32_t index, JsonHandle* child,
                                              std::int32_t* type) {
  const JsonValue* node = nullptr;
  const std::int32_t at_path = FindPath(path, &node);
  if (at_path != kJsonSuccess) return at_path;
  const JsonValue* found = nullptr;
  const bool has_outputs = child != nullptr && type != nullptr;
  const std::int32_t result = FindChildNode(node, index, has_outputs, &found);
  return HandOutNode(result, found, child, type);
}

std::int32_t CRapidJsonParser::GetMemberByHandle(JsonHandle handle, const char16_t* key, JsonHandle* member,
                                                 std::int32_t* type) {
  const JsonValue* found = nullptr;
  const bool has_outputs = member != nullptr && type != nullptr;
  const std::int32_t result = FindMemberNode(FindHandle(handle), key, has_outputs, &found);
  return HandOutNode(result, found, member, type);
}

std::int32_t CRapidJsonParser::GetChildByHandle(JsonHandle handle, std::int32_t index, JsonHandle* child,
                                                std::int32_t* type) {
  const JsonValue* found = nullptr;
  const bool has_outputs = child != nullptr && type != nullptr;
  const std::int32_t result = FindChildNode(FindHandle(handle), index, has_outputs, &found);
  return HandOutNode(result, found, child, type);
}

std::int32_t CRapidJsonParser::GetMemberName(JsonItem item, std::int32_t index, const char16_t** name) {
  return GetMemberNameAt(FindItem(item), index, name);
}

std::int32_t CRapidJsonParser::GetMemberNameByPath(const char16_t* path, std::int32_t index, const char16_t** name) {
  const JsonValue* node = nullptr;
  const std::int32_t at_path = FindPath(path, &node);
  return at_path == kJsonSuccess ? GetMemberNameAt(node, index, name) : at_path;
}

std::int32_t CRapidJsonParser::GetMemberNameByHandle(JsonHandle handle, std::int32_t index, const char16_t** name) {
  return GetMemberNameAt(FindHandle(handle), index, name);
}

std::int32_t CRapidJsonParser::GetChildCount(JsonItem item, std::int32_t* count) {
  return CountChildren(FindItem(item), count);
}

std::int32_t CRapidJsonParser::GetChildCountByPath(const char16_t* path, std::int32_t* count) {
  const JsonValue* node = nullptr;
  const std::int32_t at_path = FindPath(path, &node);
  return at_path == kJsonSuccess ? CountChildren(node, count) : at_path;
}

std::int32_t CRapidJsonParser::GetChildCountByHandle(JsonHandle handle, std::int32_t* count) {
  return CountChildren(FindHandle(handle), count);
}

std::int32_t CRapidJsonParser::GetItemType(JsonItem item, std::int32_t* type) {
  const JsonValue* node = FindItem(item);
  if (node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (type == nullptr) return JSONFUN_FAILED;
  *type = GetValueTypeCode(*node);
  return kJsonSuccess;
}

std::int32_t CRapidJsonParser::GetItemTypeByPath(const char16_t* path, std::int32_t* type) {
  const JsonValue* node = nullptr;
  const std::int32_t at_path = FindPath(path, &node);
  return at_path == kJsonSuccess ? CoarseTypeOf(node, type) : at_path;
}

std::int32_t CRapidJsonParser::GetMemberTypeByHandle(JsonHandle handle, const char16_t* key, std::int32_t* type) {
  JsonHandle member = 0;
  return GetMemberByHandle(handle, key, &member, type);
}

std::int32_t CRapidJsonParser::GetItemTypeByHandle(JsonHandle handle, std::int32_t* type) {
  return CoarseTypeOf(FindHandle(handle), type);
}

std::int32_t CRapidJsonParser::SelectMember(JsonItem item, const char16_t* key, std::int32_t wanted, JsonItem* member,
                                            std::int32_t* type) {
  const JsonValue* found = nullptr;
  const bool has_outputs = member != nullptr && type != nullptr;
  const std::int32_t result = FindMemberNode(FindItem(item), key, has_outputs, &found);
  if (result != kJsonSuccess) return result;
  *member = HandOutItem(found);
  *type = GetCoarseTypeCode(*found);
  return *type == wanted ? kJsonSuccess : JSONFUN_FAILED;
}

std::int32_t CRapidJsonParser::SelectNode(std::int32_t lookup, const JsonValue* node, std::int32_t wanted,
                                          JsonHandle* handle, std::int32_t* type) {
  if (lookup != kJsonSuccess) return lookup;
  if (handle == nullptr || type == nullptr) return JSONFUN_FAILED;
  // Handed out before the kind is tested, as a lookup by handle does.
  const JsonHandle node_handle = HandOutHandle(node);
  *type = GetCoarseTypeCode(*node);
  if (*type != wanted) return JSONFUN_FAILED;
  *handle = node_handle;
  return kJsonSuccess;
}

std::int32_t CRapidJsonParser::SelectMemberByHandle(JsonHandle handle, const char16_t* key, std::int32_t wanted,
                                                    JsonHandle* member, std::int32_t* type) {
  const JsonValue* found = nullptr;
  const bool has_outputs = member != nullptr && type != nullptr;
  const std::int32_t result = FindMemberNode(FindHandle(handle), key, has_outputs, &found);
  return SelectNode(result, found, wanted, member, type);
}

std::int32_t CRapidJsonParser::SelectPath(const char16_t* path, std::int32_t wanted, JsonHandle* handle,
                                          std::int32_t* type) {
  const JsonValue* node = nullptr;
  const std::int32_t result = FindPath(path, &node);
  return SelectNode(result, node, wanted, handle, type);
}

std::int32_t CRapidJsonParser::GetObjectMember(JsonItem item, const char16_t* key, JsonItem* member,
                                               std::int32_t* type) {
  return SelectMember(item, key, kJsonTypeObject, member, type);
}

std::int32_t CRapidJsonParser::GetObjectByPath(const char16_t* path, JsonHandle* handle, std::int32_t* type) {
  return SelectPath(path, kJsonTypeObject, handle, type);
}

std::int32_t CRapidJsonParser::GetObjectMemberByHandle(JsonHandle handle, const char16_t* key, JsonHandle* member,
                                                       std::int32_t* type) {
  return SelectMemberByHandle(handle, key, kJsonTypeObject, member, type);
}

std::int32_t CRapidJsonParser::GetArrayMember(JsonItem item, const char16_t* key, JsonItem* member,
                                              std::int32_t* type) {
  return SelectMember(item, key, kJsonTypeArray, member, type);
}

std::int32_t CRapidJsonParser::GetArrayByPath(const char16_t* path, JsonHandle* handle, std::int32_t* type) {
  return SelectPath(path, kJsonTypeArray, handle, type);
}

std::int32_t CRapidJsonParser::GetArrayMemberByHandle(JsonHandle handle, const char16_t* key, JsonHandle* member,
                                                      std::int32_t* type) {
  return SelectMemberByHandle(handle, key, kJsonTypeArray, member, type);
}

std::int32_t CRapidJsonParser::GetHandleByPath(const char16_t* path, JsonHandle* handle) {
  const JsonValue* node = nullptr;
  if (FindPath(path, &node) != kJsonSuccess) return JSONFUN_ADDRESS_ERROR;
  if (handle == nullptr) return JSONFUN_FAILED;
  *handle = HandOutHandle(node);
  return kJsonSuccess;
}

std::int32_t CRapidJsonParser::PathExists(const char16_t* path) {
  const JsonValue* node = nullptr;
  return FindPath(path, &node) == kJsonSuccess ? 1 : 0;
}

std::int32_t CRapidJsonParser::HasMemberByHandle(JsonHandle handle, const char16_t* key) {
  JsonHandle member = 0;
  std::int32_t type = 0;
  return GetMemberByHandle(handle, key, &member, &type) == kJsonSuccess ? 1 : 0;
}

std::int32_t CRapidJsonParser::HasMemberByPath(const char16_t* path, const char16_t* key) {
  const JsonValue* node = nullptr;
  if (key == nullptr || FindPath(path, &node) != kJsonSuccess || !node->IsObject()) return 0;
  return node->FindMember(key) != node->MemberEnd() ? 1 : 0;
}

}  // namespace TQJSON
