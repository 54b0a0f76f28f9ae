// The items a writer has handed out, so that an item whose value no longer
// lives where it did is refused instead of written through.
//
// A member or element lives in its parent's storage, which moves when the
// parent grows; its children travel with it (their storage is the moved
// value's own). So growth makes only the direct children of the parent
// stale, while replacing a value drops its whole sub-tree. Each item is
// recorded with the storage it lives in; the root lives in none. Nothing of
// a document is freed before the document itself, so stale values may
// still be read here. Not thread-safe.
#pragma once

#include <unordered_map>
#include <vector>

#include "tqjson/json_codes.h"
#include "tqjson/json_document.h"

namespace TQJSON {

// The storage of a container's children (null when it has none allocated,
// or for other values).
const void* ChildStorageOf(const JsonValue& value);

class ItemRegistry {
 public:
  // Records the root, which is valid for the life of the document.
  void AddRoot(JsonValue* root);

  // Records a value that lives in `parent`'s storage.
  void AddChild(JsonValue* value, const JsonValue& parent);

  // The value of a recorded item that is still live, else null.
  JsonValue* Find(JsonItem item) const;

  // `storage` was given up by a growing container: its children are stale.
  void ForgetChildrenIn(const void* storage);

  // `value`'s content is about to be dropped: every item below it is stale
  // (the value itself stays valid).
  void ForgetItemsBelow(const JsonValue& value);

 private:
  std::unordered_map<JsonValue*, const void*> storage_of_;
  std::unordered_map<const void*, std::vector<JsonValue*>> children_in_;
};

}  // namespace TQJSON
