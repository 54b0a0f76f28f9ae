#include "tqjson/rapid_json_parser.h"

#include "json_paths.h"

namespace TQJSON {

CRapidJsonParser::CRapidJsonParser() = default;

void CRapidJsonParser::Release() { delete this; }

JsonItem CRapidJsonParser::HandOutItem(const JsonValue* node) {
  items_.insert(node);
  return reinterpret_cast<JsonItem>(node);
}

const JsonValue* CRapidJsonParser::FindItem(JsonItem item) const {
  const auto* node = reinterpret_cast<const JsonValue*>(item);
  return node != nullptr && items_.count(node) != 0 ? node : nullptr;
}

JsonHandle CRapidJsonParser::HandOutHandle(const JsonValue* node) { return handles_.FindOrAdd(node); }

const JsonValue* CRapidJsonParser::FindHandle(JsonHandle handle) const {
  const JsonValue* const* node = handles_.Find(handle);
  return node != nullptr ? *node : nullptr;
}

std::int32_t CRapidJsonParser::FindPath(const char16_t* path, const JsonValue** node) const {
  PathTarget target;
  const std::int32_t result = ConvertPathToPointer(document_, path, &target);
  if (result == kJsonSuccess) *node = target.node;
  return result;
}

}  // namespace TQJSON
