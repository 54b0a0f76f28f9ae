#include "tqjson/item_registry.h"

namespace TQJSON {

const void* ChildStorageOf(const JsonValue& value) {
  if (value.IsObject()) return value.MemberBegin().operator->();
  if (value.IsArray()) return value.Begin();
  return nullptr;
}

void ItemRegistry::AddRoot(JsonValue* root) { storage_of_.emplace(root, nullptr); }

void ItemRegistry::AddChild(JsonValue* value, const JsonValue& parent) {
  const void* storage = ChildStorageOf(parent);
  std::vector<JsonValue*>& siblings = children_in_[storage];
  siblings.push_back(value);
  try {
    storage_of_[value] = storage;
  } catch (...) {
    siblings.pop_back();
    throw;
  }
}

JsonValue* ItemRegistry::Find(JsonItem item) const {
  auto* value = reinterpret_cast<JsonValue*>(item);
  return value != nullptr && storage_of_.count(value) != 0 ? value : nullptr;
}

void ItemRegistry::ForgetChildrenIn(const void* storage) {
  const auto children = children_in_.find(storage);
  if (children == children_in_.end()) return;
  for (JsonValue* child : children->second) storage_of_.erase(child);
  children_in_.erase(children);
}

void ItemRegistry::ForgetItemsBelow(const JsonValue& value) {
  std::vector<const void*> storages{ChildStorageOf(value)};
  while (!storages.empty()) {
    const auto children = children_in_.find(storages.back());
    storages.pop_back();
    if (children == children_in_.end()) continue;
    for (JsonValue* child : children->second) {
      storage_of_.erase(child);
      storages.push_back(ChildStorageOf(*child));
    }
    children_in_.erase(children);
  }
}

}  // namespace TQJSON
