#include "member_lookup.h"

#include "platform/wide_string.h"

namespace TQJSON {

const JsonMember* FindMemberIgnoringCase(const JsonValue& object, const char16_t* key) {
  if (key == nullptr || !object.IsObject()) return nullptr;
  const std::u16string_view wanted(key);
  for (auto member = object.MemberBegin(); member != object.MemberEnd(); ++member) {
    const std::u16string_view name(member->name.GetString(), member->name.GetStringLength());
    if (platform::WEqualsNoCase(name, wanted)) return &*member;
  }
  return nullptr;
}

}  // namespace TQJSON
