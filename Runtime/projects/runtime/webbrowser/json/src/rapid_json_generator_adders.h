// The writer's templates for finding a parent by path or handle and for
// adding a value to it, shared by the building operations and by the
// operations that graft parsed documents.
#pragma once

#include <utility>

#include "json_paths.h"
#include "platform/wide_string.h"
#include "tqjson/rapid_json_generator.h"
#include "value_functions.h"

namespace TQJSON {

template <typename Add>
std::int32_t CRapidJsonGenerator::WithPathParent(const char16_t* path, Add add) {
  PathTarget target;
  const std::int32_t found = ConvertPathToPointer(document_, path, &target);
  if (found != kJsonSuccess) return found;
  // The node lies in this writer's own document.
  return add(Parent{const_cast<JsonValue*>(target.node), std::move(target.pointer)});
}

template <typename Add>
std::int32_t CRapidJsonGenerator::WithHandleParent(JsonHandle handle, Add add) {
  const std::u16string* pointer = handles_.Find(handle);
  if (pointer == nullptr) return JSONFUN_ADDRESS_ERROR;
  // A text that no longer names a value gives a null node, refused as -2.
  return add(Parent{const_cast<JsonValue*>(ResolvePointer(document_, *pointer)), *pointer});
}

template <typename Addition>
std::int32_t CRapidJsonGenerator::GrowContainer(JsonValue* container, Addition addition) {
  if (container == nullptr) return addition();
  const void* storage = ChildStorageOf(*container);
  const rapidjson::SizeType count = ChildCountOf(*container);
  const std::int32_t result = addition();
  if (storage != nullptr && ChildStorageOf(*container) != storage) {
    items_.ForgetMovedChildren(*container, storage, count);
  }
  return result;
}

template <typename Kind>
std::int32_t CRapidJsonGenerator::AddMemberToParent(const Parent& parent, const char16_t* key, typename Kind::In value,
                                                    JsonHandle* added) {
  const std::int32_t checked = CheckMemberAddition<Kind>(parent.node, key, value, added != nullptr);
  if (checked != kJsonSuccess) return checked;
  // The key is escaped, so that a "/" or "~" in it names this member.
  const std::u16string pointer = parent.pointer + u'/' + EscapePointerToken(key);
  if (handles_.Contains(pointer)) {
    // A registered member is replaced in place, keeping its name and place.
    const auto member = parent.node->FindMember(JsonValue(rapidjson::StringRef(key, DocumentTextLength(key))));
    if (member != parent.node->MemberEnd()) {
      items_.ForgetItemsBelow(member->value);
      member->value = Kind::Make(value, document_.GetAllocator());
      *added = handles_.FindOrAdd(pointer);
      return kJsonSuccess;
    }
  }
  JsonValue* member = nullptr;
  const std::int32_t result = GrowContainer(
      parent.node, [&] { return AddMemberValue<Kind>(parent.node, key, value, document_.GetAllocator(), &member); });
  if (result != kJsonSuccess) return result;
  *added = handles_.FindOrAdd(pointer);
  return kJsonSuccess;
}

template <typename Kind>
std::int32_t CRapidJsonGenerator::AppendToParent(const Parent& parent, typename Kind::In value, JsonHandle* added) {
  JsonValue* element = nullptr;
  const std::int32_t result = GrowContainer(parent.node, [&] {
    return PushValue<Kind>(parent.node, value, document_.GetAllocator(), added != nullptr ? &element : nullptr);
  });
  if (result != kJsonSuccess) return result;
  *added = handles_.FindOrAdd(parent.pointer + u'/' + platform::UIntToW(parent.node->Size() - 1));
  return kJsonSuccess;
}

}  // namespace TQJSON
