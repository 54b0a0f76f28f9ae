#include "tqjson/rapid_json_generator.h"

#include "json_paths.h"

namespace TQJSON {

CRapidJsonGenerator::CRapidJsonGenerator() { items_.Add(&document_); }

void CRapidJsonGenerator::Release() { delete this; }

std::int32_t CRapidJsonGenerator::CreateRootObject(JsonItem* root) {
  return CreateRoot(rapidjson::kObjectType, false, root, nullptr);
}

std::int32_t CRapidJsonGenerator::CreateRootObjectHandle(JsonHandle* root) {
  return CreateRoot(rapidjson::kObjectType, true, nullptr, root);
}

std::int32_t CRapidJsonGenerator::CreateRootArray(JsonItem* root) {
  return CreateRoot(rapidjson::kArrayType, false, root, nullptr);
}

std::int32_t CRapidJsonGenerator::CreateRootArrayHandle(JsonHandle* root) {
  return CreateRoot(rapidjson::kArrayType, true, nullptr, root);
}

std::int32_t CRapidJsonGenerator::CreateRoot(rapidjson::Type type, bool registered, JsonItem* item,
                                             JsonHandle* handle) {
  if (item == nullptr && handle == nullptr) return JSONFUN_FAILED;
  if (registered) handles_.Clear();
  // The old root's content stays in the pool until the document goes.
  items_.ForgetItemsBelow(document_);
  JsonValue& root = document_;
  root = JsonValue(type);
  if (registered) {
    *handle = handles_.FindOrAdd(std::u16string());
  } else {
    *item = reinterpret_cast<JsonItem>(&root);
  }
  return kJsonSuccess;
}

std::int32_t CRapidJsonGenerator::GetPathOfHandle(JsonHandle handle, char16_t* buffer, std::uint32_t capacity) {
  const std::u16string* pointer = handles_.Find(handle);
  if (pointer == nullptr) return JSONFUN_ADDRESS_ERROR;
  // A handle whose text no longer names a value has no path to show.
  const std::optional<std::u16string> path = ConvertPointerToPath(document_, *pointer);
  if (!path) return JSONFUN_ADDRESS_ERROR;
  if (buffer == nullptr) return JSONFUN_FAILED;
  if (path->size() >= capacity) {
    if (capacity > 0) buffer[0] = u'\0';
    return JSONFUN_FAILED;
  }
  path->copy(buffer, path->size());
  buffer[path->size()] = u'\0';
  return kJsonSuccess;
}

std::int32_t CRapidJsonGenerator::GetHandleOfPath(const char16_t* path, JsonHandle* handle) {
  PathTarget target;
  const std::int32_t found = ConvertPathToPointer(document_, path, &target);
  if (found != kJsonSuccess) return found;
  if (handle == nullptr) return JSONFUN_FAILED;
  *handle = handles_.FindOrAdd(target.pointer);
  return kJsonSuccess;
}

}  // namespace TQJSON
