#include "tqjson/rapid_json_generator.h"

namespace TQJSON {

CRapidJsonGenerator::CRapidJsonGenerator() { items_.AddRoot(&document_); }

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

}  // namespace TQJSON
