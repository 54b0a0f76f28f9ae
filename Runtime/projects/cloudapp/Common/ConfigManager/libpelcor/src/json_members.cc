#include "json_members.h"

#include "libpelcor/config_result.h"
#include "platform/wide_string.h"

const JsonValue* FindMember(const JsonValue& object, platform::WStringView name) {
  if (!object.IsObject()) return nullptr;
  const JsonValue key(rapidjson::StringRef(name.empty() ? u"" : name.data(), name.size()));
  const auto member = object.FindMember(key);
  return member != object.MemberEnd() ? &member->value : nullptr;
}

const JsonValue* FindMemberNoCase(const JsonValue& object, platform::WStringView name) {
  if (!object.IsObject()) return nullptr;
  for (const auto& member : object.GetObject()) {
    const platform::WStringView key(member.name.GetString(), member.name.GetStringLength());
    if (platform::WEqualsNoCase(key, name)) return &member.value;
  }
  return nullptr;
}

const JsonValue& MemberOrNull(const JsonValue& object, platform::WStringView name) {
  static const JsonValue kNull;
  const JsonValue* member = FindMember(object, name);
  return member != nullptr ? *member : kNull;
}

std::uint32_t FindRequiredArray(const JsonValue& object, platform::WStringView name, const JsonValue*& array) {
  array = FindMember(object, name);
  if (array == nullptr) return CONFIG_MISSING_MEMBER;
  return array->IsArray() ? CONFIG_OK : CONFIG_INVALID_JSON;
}

bool ReadInt32(const JsonValue& value, std::int32_t& number) {
  if (value.IsUint64()) {
    number = static_cast<std::int32_t>(static_cast<std::uint32_t>(value.GetUint64()));
  } else if (value.IsInt64()) {
    number = static_cast<std::int32_t>(static_cast<std::uint32_t>(value.GetInt64()));
  } else {
    return false;
  }
  return true;
}

std::int32_t GetIntMember(const JsonValue& object, platform::WStringView name, std::int32_t fallback) {
  const JsonValue* member = FindMember(object, name);
  std::int32_t number;
  return member != nullptr && ReadInt32(*member, number) ? number : fallback;
}

std::uint32_t GetUintMember(const JsonValue& object, platform::WStringView name, std::uint32_t fallback) {
  return static_cast<std::uint32_t>(GetIntMember(object, name, static_cast<std::int32_t>(fallback)));
}

bool GetBoolMember(const JsonValue& object, platform::WStringView name, bool fallback) {
  const JsonValue* member = FindMember(object, name);
  return member != nullptr ? member->IsTrue() : fallback;
}

platform::WStringView StringOf(const JsonValue& value) {
  return value.IsString() ? platform::WStringView(value.GetString(), value.GetStringLength())
                          : platform::WStringView();
}

platform::WStringView GetStringMember(const JsonValue& object, platform::WStringView name) {
  const JsonValue* member = FindMember(object, name);
  return member != nullptr ? StringOf(*member) : platform::WStringView();
}

platform::WStringView GetStringMemberOr(const JsonValue& value, const char16_t* name,
                                        platform::WStringView fallback) {
  const JsonValue* chosen = name != nullptr ? FindMember(value, name) : &value;
  return chosen != nullptr && chosen->IsString() ? StringOf(*chosen) : fallback;
}
