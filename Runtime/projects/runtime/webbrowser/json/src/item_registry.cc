#include "tqjson/item_registry.h"

#include <vector>

namespace TQJSON {
namespace {

// The address of the value of child `index` in a container's storage.
JsonValue* ChildIn(const JsonValue& container, const void* storage, rapidjson::SizeType index) {
  if (container.IsObject()) return &static_cast<JsonMember*>(const_cast<void*>(storage))[index].value;
  return &static_cast<JsonValue*>(const_cast<void*>(storage))[index];
}

}  // namespace

const void* ChildStorageOf(const JsonValue& value) {
  if (value.IsObject()) return value.MemberBegin().operator->();
  if (value.IsArray()) return value.Begin();
  return nullptr;
}

rapidjson::SizeType ChildCountOf(const JsonValue& value) {
  if (value.IsObject()) return value.MemberCount();
  if (value.IsArray()) return value.Size();
  return 0;
}

JsonValue* ItemRegistry::Find(JsonItem item) const {
  auto* value = reinterpret_cast<JsonValue*>(item);
  return value != nullptr && live_.count(value) != 0 ? value : nullptr;
}

void ItemRegistry::ForgetMovedChildren(const JsonValue& container, const void* old_storage, rapidjson::SizeType count) {
  if (HoldsOnlyTheRoot()) return;
  for (rapidjson::SizeType i = 0; i < count; ++i) live_.erase(ChildIn(container, old_storage, i));
}

void ItemRegistry::ForgetItemsBelow(const JsonValue& value) {
  if (HoldsOnlyTheRoot()) return;
  std::vector<const JsonValue*> pending{&value};
  while (!pending.empty()) {
    const JsonValue& container = *pending.back();
    pending.pop_back();
    const void* storage = ChildStorageOf(container);
    for (rapidjson::SizeType i = 0; i < ChildCountOf(container); ++i) {
      JsonValue* child = ChildIn(container, storage, i);
      live_.erase(child);
      if (ChildCountOf(*child) != 0) pending.push_back(child);
    }
  }
}

}  // namespace TQJSON
