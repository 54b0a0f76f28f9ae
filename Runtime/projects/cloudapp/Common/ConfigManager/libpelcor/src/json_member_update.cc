#include "json_member_update.h"

#include "json_members.h"

JsonValue& MemberSlot(JsonDocument& document, JsonValue& object, platform::WStringView name) {
  if (JsonValue* member = FindMember(object, name)) return *member;
  JsonValue key;
  SetString(document, key, name);
  object.AddMember(key, JsonValue(), document.Allocator());
  return (object.MemberEnd() - 1)->value;
}

void SetIntMember(JsonDocument& document, JsonValue& object, platform::WStringView name, std::int32_t value) {
  MemberSlot(document, object, name).SetInt(value);
}

void SetBoolMember(JsonDocument& document, JsonValue& object, platform::WStringView name, bool value) {
  MemberSlot(document, object, name).SetBool(value);
}

void SetStringMember(JsonDocument& document, JsonValue& object, platform::WStringView name,
                     platform::WStringView text) {
  SetString(document, MemberSlot(document, object, name), text);
}

void SetString(JsonDocument& document, JsonValue& value, platform::WStringView text) {
  // RapidJSON 1.1 refuses a null pointer even for an empty text.
  value.SetString(text.empty() ? u"" : text.data(), static_cast<rapidjson::SizeType>(text.size()),
                  document.Allocator());
}
