// The items a writer has handed out, so that an item whose value no longer
// lives where it did is refused instead of written through.
//
// A member or element lives in its parent's storage, which moves when the
// parent grows; its own children travel with it (their storage is the
// moved value's), so growth makes only the parent's direct children stale.
// Replacing a value drops its whole sub-tree. Nothing of a document is
// freed before the document itself, so stale values may still be read
// here. Not thread-safe.
#pragma once

#include <unordered_set>

#include "tqjson/json_codes.h"
#include "tqjson/json_document.h"

namespace TQJSON {

// The storage of a container's children (null when it has none allocated,
// or for other values).
const void* ChildStorageOf(const JsonValue& value);

// The number of children of an object or array (0 for other values).
rapidjson::SizeType ChildCountOf(const JsonValue& value);

class ItemRegistry {
 public:
  // Records a value handed out as an item.
  void Add(JsonValue* value) { live_.insert(value); }

  // The value of a recorded item that is still live, else null.
  JsonValue* Find(JsonItem item) const;

  // `container` (an object or array) gave up `old_storage`, which held its
  // first `count` children: their items are stale.
  void ForgetMovedChildren(const JsonValue& container, const void* old_storage, rapidjson::SizeType count);

  // `value`'s content is about to be dropped: every item below it is stale
  // (the value itself stays valid).
  void ForgetItemsBelow(const JsonValue& value);

 private:
  // Only the root is recorded: nothing can be stale.
  bool HoldsOnlyTheRoot() const { return live_.size() <= 1; }

  std::unordered_set<JsonValue*> live_;
};

}  // namespace TQJSON
