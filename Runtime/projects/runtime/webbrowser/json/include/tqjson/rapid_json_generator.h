// CRapidJsonGenerator: the writer's implementation. It holds one UTF-16
// RapidJSON document (null root at first), the handle registry (handles
// that name pointer texts, resolved again at each use), the items it has
// handed out, and the buffers that saving hands out from. The adapter
// replaces the object at every root creation (see
// json_generator_adapter.h). Not thread-safe.
#pragma once

#include <cstdint>
#include <string>

#include "tqjson/counted_text_writer.h"
#include "tqjson/declare_operations.h"
#include "tqjson/handle_table.h"
#include "tqjson/ijson_generator.h"
#include "tqjson/item_registry.h"
#include "tqjson/json_document.h"
#include "tqjson/scratch_buffer.h"

namespace TQJSON {

class CRapidJsonGenerator final : public IJsonGenerator, public ICountedTextWriter {
 public:
  CRapidJsonGenerator();

  TQJSON_GENERATOR_OPERATIONS(TQJSON_DECLARE_OPERATION_OVERRIDE)

  // Always added, as the item form of AddStringMember.
  std::int32_t AddCountedStringMember(JsonItem item, const char16_t* key, std::u16string_view value,
                                      JsonItem* added) override;

 private:
  // A parent found by path or handle: its node (null when a handle's text
  // no longer names a value) and its pointer text.
  struct Parent {
    JsonValue* node = nullptr;
    std::u16string pointer;
  };

  ~CRapidJsonGenerator() = default;

  // The root becomes an empty object or array; `registered` also resets the
  // handle registry and registers the root as handle 1.
  std::int32_t CreateRoot(rapidjson::Type type, bool registered, JsonItem* item, JsonHandle* handle);

  // Finds the parent that a path (-10 when it names nothing) or a handle
  // (-2 when unknown) addresses and passes it to `add`.
  template <typename Add>
  std::int32_t WithPathParent(const char16_t* path, Add add);
  template <typename Add>
  std::int32_t WithHandleParent(JsonHandle handle, Add add);

  // The adders of every kind (value_kinds.h). By item they always add; by
  // path or handle a member whose text is registered is replaced in place.
  template <typename Kind>
  std::int32_t AddMemberToItem(JsonItem item, const char16_t* key, typename Kind::In value, JsonItem* added);
  template <typename Kind>
  std::int32_t AppendToItem(JsonItem item, typename Kind::In value, JsonItem* added);
  template <typename Kind>
  std::int32_t AddMemberToParent(const Parent& parent, const char16_t* key, typename Kind::In value, JsonHandle* added);
  template <typename Kind>
  std::int32_t AppendToParent(const Parent& parent, typename Kind::In value, JsonHandle* added);
  std::int32_t AddSpecialNumberMember(const Parent& parent, const char16_t* key, std::uint32_t kind, JsonHandle* added);
  std::int32_t AppendSpecialNumber(const Parent& parent, std::uint32_t kind, JsonHandle* added);

  // Runs an addition to `container` and forgets the items that its growth
  // made stale.
  template <typename Addition>
  std::int32_t GrowContainer(JsonValue* container, Addition addition);

  // Loading and grafting. An InputReader parses a file or a text (its
  // `source`) into a document of its own: 1, else the operation's code.
  using InputReader = std::int32_t (*)(const char16_t* source, JsonDocument& parsed);
  // Replaces the document by the one read, registering its root as handle
  // 1; on failure nothing changes.
  std::int32_t LoadDocument(InputReader read, const char16_t* source, JsonHandle* root);
  // Graft what is read as a member or element of the parent, which is
  // checked before anything is read.
  std::int32_t InsertMember(const Parent& parent, const char16_t* key, InputReader read, const char16_t* source,
                            JsonHandle* added);
  std::int32_t InsertElement(const Parent& parent, InputReader read, const char16_t* source, JsonHandle* added);
  // Reads `source` and copies its root into this document's pool.
  std::int32_t ReadSubTree(InputReader read, const char16_t* source, JsonValue* tree);

  std::int32_t SaveFile(const char16_t* file_name, std::int32_t encoding, bool indented);
  bool HasContainerRoot() const;

  JsonDocument document_;
  ScratchBuffer scratch_;
  JsonTextBuffer text_;
  JsonByteBuffer bytes_;
  HandleTable<std::u16string> handles_;
  ItemRegistry items_;
};

}  // namespace TQJSON
