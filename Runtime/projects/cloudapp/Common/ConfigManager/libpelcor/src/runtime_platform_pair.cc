#include "runtime_platform_pair.h"

#include "json_members.h"

namespace {

std::uint32_t ElementOrZero(const JsonValue& array, rapidjson::SizeType index) {
  std::int32_t number = 0;
  if (index >= array.Size() || !ReadInt32(array[index], number)) return 0;
  return static_cast<std::uint32_t>(number);
}

}  // namespace

void WriteRuntimePlatformPair(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                              std::int32_t platforms) {
  JsonObjectBuilder pair(document, JsonObjectBuilder::Kind::kArray);
  pair.PushUint(static_cast<std::uint32_t>(platforms) & 1u);
  pair.PushUint(platforms > 1 ? 1u : 0u);
  parent.AddValue(name, pair);
}

std::int32_t ReadRuntimePlatformPair(const JsonValue& parent, platform::WStringView name) {
  const JsonValue* pair = FindMember(parent, name);
  if (pair == nullptr || !pair->IsArray()) return 0;
  // Unsigned, so that large elements wrap instead of overflowing.
  return static_cast<std::int32_t>(ElementOrZero(*pair, 0) + 2u * ElementOrZero(*pair, 1));
}
