#include "launcher_profile_list_document.h"

#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"
#include "record_field.h"

std::uint32_t ReadLauncherProfileList(const JsonValue& root, std::list<LauncherProfileEntry>& profiles) {
  profiles.clear();
  if (!root.IsArray()) return CONFIG_OK;
  for (const JsonValue& element : root.GetArray()) {
    if (!element.IsObject()) continue;
    LauncherProfileEntry& entry = profiles.emplace_back();
    CopyToField(entry.Name, GetStringMember(element, u"Name"));
    CopyToField(entry.Path, GetStringMember(element, u"Path"));
    entry.LauncherMode = GetIntMember(element, u"LauncherMode", 0);
    CopyToField(entry.RuntimeVersion, GetStringMember(element, u"runtimeversion"));
  }
  return CONFIG_OK;
}

void WriteLauncherProfileList(JsonDocument& document, const std::list<LauncherProfileEntry>& profiles) {
  document.Root().SetArray();
  JsonObjectBuilder root(document, document.Root());
  for (const LauncherProfileEntry& entry : profiles) {
    JsonObjectBuilder profile(document, JsonObjectBuilder::Kind::kObject);
    profile.AddString(u"Name", FieldText(entry.Name));
    profile.AddString(u"Path", FieldText(entry.Path));
    profile.AddInt(u"LauncherMode", entry.LauncherMode);
    profile.AddString(u"runtimeversion", FieldText(entry.RuntimeVersion));
    root.PushValue(profile);
  }
}
