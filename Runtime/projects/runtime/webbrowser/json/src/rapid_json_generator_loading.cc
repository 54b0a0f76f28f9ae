// Loading whole documents into the writer, and grafting parsed files and
// texts into its document as members or elements.
#include <utility>

#include "generator_input.h"
#include "json_tree_copy.h"
#include "rapid_json_generator_adders.h"

namespace TQJSON {

std::int32_t CRapidJsonGenerator::LoadDocument(InputReader read, const char16_t* source, JsonHandle* root) {
  if (root == nullptr) return JSONFUN_FAILED;
  JsonDocument parsed;
  const std::int32_t result = read(source, parsed);
  if (result != kJsonSuccess) return result;
  HandleTable<std::u16string> handles;
  const JsonHandle root_handle = handles.FindOrAdd(std::u16string());
  ItemRegistry items;
  items.Add(&document_);
  // Nothing below can fail; the previous document goes with `parsed`.
  document_.Swap(parsed);
  handles_ = std::move(handles);
  items_ = std::move(items);
  *root = root_handle;
  return kJsonSuccess;
}

std::int32_t CRapidJsonGenerator::ReadSubTree(InputReader read, const char16_t* source, JsonValue* tree) {
  JsonDocument parsed;
  const std::int32_t result = read(source, parsed);
  if (result == kJsonSuccess) *tree = CopyJsonTree(parsed, document_.GetAllocator());
  return result;
}

std::int32_t CRapidJsonGenerator::InsertMember(const Parent& parent, const char16_t* key, InputReader read,
                                               const char16_t* source, JsonHandle* added) {
  if (parent.node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (key == nullptr) return JSONFUN_KEY_ERROR;
  if (added == nullptr || !parent.node->IsObject()) return JSONFUN_FAILED;
  JsonValue tree;
  const std::int32_t result = ReadSubTree(read, source, &tree);
  if (result != kJsonSuccess) return result;
  return AddMemberToParent<MovedValueKind>(parent, key, &tree, added);
}

std::int32_t CRapidJsonGenerator::InsertElement(const Parent& parent, InputReader read, const char16_t* source,
                                                JsonHandle* added) {
  if (parent.node == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (added == nullptr || !parent.node->IsArray()) return JSONFUN_FAILED;
  JsonValue tree;
  const std::int32_t result = ReadSubTree(read, source, &tree);
  if (result != kJsonSuccess) return result;
  return AppendToParent<MovedValueKind>(parent, &tree, added);
}

std::int32_t CRapidJsonGenerator::LoadFromFile(const char16_t* file_name, JsonHandle* root) {
  return LoadDocument(ParseGeneratorFile, file_name, root);
}

std::int32_t CRapidJsonGenerator::LoadFromString(const char16_t* text, JsonHandle* root) {
  return LoadDocument(ParseGeneratorText, text, root);
}

// The four grafting forms of one kind of source: member and element, each
// with the parent by path and by handle.
#define TQJSON_DEFINE_INSERTS(Source, read)                                                                          \
  std::int32_t CRapidJsonGenerator::Insert##Source##MemberByPath(const char16_t* path, const char16_t* key,           \
                                                                 const char16_t* source, JsonHandle* added) {         \
    return WithPathParent(path, [&](const Parent& parent) { return InsertMember(parent, key, read, source, added); }); \
  }                                                                                                                  \
  std::int32_t CRapidJsonGenerator::Insert##Source##ByPath(const char16_t* path, const char16_t* source,              \
                                                           JsonHandle* added) {                                      \
    return WithPathParent(path, [&](const Parent& parent) { return InsertElement(parent, read, source, added); });    \
  }                                                                                                                  \
  std::int32_t CRapidJsonGenerator::Insert##Source##MemberByHandle(JsonHandle handle, const char16_t* key,            \
                                                                   const char16_t* source, JsonHandle* added) {       \
    return WithHandleParent(handle,                                                                                  \
                            [&](const Parent& parent) { return InsertMember(parent, key, read, source, added); });   \
  }                                                                                                                  \
  std::int32_t CRapidJsonGenerator::Insert##Source##ByHandle(JsonHandle handle, const char16_t* source,               \
                                                             JsonHandle* added) {                                    \
    return WithHandleParent(handle,                                                                                  \
                            [&](const Parent& parent) { return InsertElement(parent, read, source, added); });       \
  }

TQJSON_DEFINE_INSERTS(File, ParseGeneratorFile)
TQJSON_DEFINE_INSERTS(Text, ParseGeneratorText)

#undef TQJSON_DEFINE_INSERTS

// Always adds a member, like the other item forms; the parent is checked
// before the text is read.
std::int32_t CRapidJsonGenerator::InsertTextMember(JsonItem item, const char16_t* key, const char16_t* text) {
  JsonValue* parent = items_.Find(item);
  if (parent == nullptr) return JSONFUN_ADDRESS_ERROR;
  if (key == nullptr) return JSONFUN_KEY_ERROR;
  if (!parent->IsObject()) return JSONFUN_TYPE_ERROR;
  JsonValue tree;
  const std::int32_t result = ReadSubTree(ParseGeneratorText, text, &tree);
  if (result != kJsonSuccess) return result;
  JsonValue* member = nullptr;
  return GrowContainer(
      parent, [&] { return AddMemberValue<MovedValueKind>(parent, key, &tree, document_.GetAllocator(), &member); });
}

}  // namespace TQJSON
