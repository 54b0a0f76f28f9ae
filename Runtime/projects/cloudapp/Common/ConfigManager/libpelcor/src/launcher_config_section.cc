#include "launcher_config_section.h"

#include "json_members.h"
#include "platform/wide_string.h"
#include "record_field.h"
#include "runtime_platform_pair.h"

namespace {

void WriteLauncherProfile(JsonObjectBuilder& section, JsonDocument& document, const LauncherSettingsRecord& record) {
  JsonObjectBuilder profile(document, JsonObjectBuilder::Kind::kObject);
  const LauncherProfileEntry* selected = record.SelectedLauncherProfile;
  if (selected != nullptr) {
    profile.AddString(u"Name", FieldText(selected->Name));
    profile.AddString(u"Path", FieldText(selected->Path));
    profile.AddInt(u"LauncherMode", selected->LauncherMode);
  } else {
    profile.AddString(u"Name", FieldText(record.LauncherName));
    profile.AddString(u"Path", FieldText(record.OutputPath));
    profile.AddInt(u"LauncherMode", record.InstallMode);
  }
  section.AddValue(u"LauncherProfile", profile);
}

void ReadLauncherProfile(const JsonValue& profile, LauncherSettingsRecord& record) {
  const platform::WStringView name = GetStringMember(profile, u"Name");
  CopyToField(record.LauncherName, name);
  record.DefaultPackage = platform::WEqualsNoCase(name, u"Default") ? 1 : 0;
  if (record.DefaultPackage == 0) CopyToField(record.OutputPath, GetStringMember(profile, u"Path"));
  record.InstallMode = GetIntMember(profile, u"LauncherMode", 0);
}

}  // namespace

void WriteLauncherConfig(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                         const LauncherSettingsRecord& record) {
  JsonObjectBuilder section(document, JsonObjectBuilder::Kind::kObject);
  section.AddString(u"Server", FieldText(record.ServerProfile));
  section.AddString(u"ZipPath", FieldText(record.GenZipPath));
  section.AddString(u"RuntimeVersion", FieldText(record.RuntimeVersion));
  WriteRuntimePlatformPair(section, document, u"RuntimePlatform", record.RuntimePlatform);
  section.AddInt(u"UploadMode", record.UploadServer == 0 ? 1 : 0);
  WriteLauncherProfile(section, document, record);
  parent.AddValue(name, section);
}

void ReadLauncherConfig(const JsonValue& section, LauncherSettingsRecord& record) {
  const platform::WStringView server = GetStringMember(section, u"Server");
  CopyToField(record.ServerProfile, server);
  CopyToField(record.GenZipPath, GetStringMember(section, u"ZipPath"));
  record.RuntimePlatform = ReadRuntimePlatformPair(section, u"RuntimePlatform");
  record.UploadServer = GetIntMember(section, u"UploadMode", 0) == 0 ? 1 : 0;
  ReadLauncherProfile(MemberOrNull(section, u"LauncherProfile"), record);
  record.LocalServer = platform::WEqualsNoCase(server, u"Local") ? 1 : 0;
}
