#include "cloud_config_helper.h"

#include "boundary_guard.h"
#include "db_config_text.h"
#include "json_file.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "launcher_config_section.h"
#include "launcher_info_section.h"
#include "libpelcor/config_result.h"
#include "project_profile_text.h"
#include "record_field.h"
#include "text_conversion.h"
#include "web_server_section.h"

namespace {

constexpr const char16_t* kLauncherInfo = u"LauncherInfo";
constexpr const char16_t* kLauncherConfig = u"LauncherConfig";
constexpr const char16_t* kWebServerConfig = u"WebServerConfig";

void WriteSections(JsonDocument& document, const LauncherSettingsRecord* record) {
  document.Root().SetObject();
  JsonObjectBuilder root(document, document.Root());
  if (record != nullptr && !FieldText(record->RuntimeVersion).empty()) {
    WriteLauncherInfo(root, document, kLauncherInfo, *record);
  } else {
    root.AddNull(kLauncherInfo);
  }
  if (record != nullptr && !FieldText(record->LauncherName).empty()) {
    WriteLauncherConfig(root, document, kLauncherConfig, *record);
  } else {
    root.AddNull(kLauncherConfig);
  }
  if (record != nullptr && record->WebServer != nullptr) {
    WriteWebServerConfig(root, document, kWebServerConfig, *record->WebServer);
  } else {
    root.AddNull(kWebServerConfig);
  }
}

// The selected section of the root object; a missing one reads as null.
void ReadSection(const JsonValue& root, LauncherSettingsRecord& record, std::int32_t section) {
  switch (section) {
    case ICloudConfigHelper::kLauncherInfoSection:
      ReadLauncherInfo(MemberOrNull(root, kLauncherInfo), record);
      break;
    case ICloudConfigHelper::kLauncherConfigSection:
      ReadLauncherConfig(MemberOrNull(root, kLauncherConfig), record);
      break;
    case ICloudConfigHelper::kWebServerConfigSection:
      if (record.WebServer != nullptr) ReadWebServerConfig(MemberOrNull(root, kWebServerConfig), *record.WebServer);
      break;
    default:
      break;
  }
}

// Appends "LauncherProfiles" to the root object when the list has entries.
void AppendLauncherProfiles(JsonDocument& document, const std::list<LauncherProfileEntry>& profiles) {
  if (profiles.empty()) return;
  JsonObjectBuilder root(document, document.Root());
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  for (const LauncherProfileEntry& entry : profiles) {
    JsonObjectBuilder profile(document, JsonObjectBuilder::Kind::kObject);
    profile.AddString(u"Name", FieldText(entry.Name));
    profile.AddString(u"Path", FieldText(entry.Path));
    profile.AddInt(u"LauncherMode", entry.LauncherMode);
    array.PushValue(profile);
  }
  root.AddValue(u"LauncherProfiles", array);
}

}  // namespace

template <typename Build>
const char16_t* CCloudConfigHelper::BuildText(platform::WString& result, const char16_t** out, Build build) {
  result.clear();
  Guarded<bool>(false, [&] {
    JsonDocument document;
    if (!build(document)) return false;
    return JsonValueToText(document.Root(), result) == CONFIG_OK;
  });
  if (out != nullptr) *out = result.c_str();
  return result.c_str();
}

template <typename Record, typename Read>
std::uint32_t CCloudConfigHelper::ReadText(const char16_t* text, Record* record, Read read) {
  if (text == nullptr || record == nullptr) return CONFIG_OPEN_FAILED;
  return Guarded<std::uint32_t>(CONFIG_INVALID_JSON, [&]() -> std::uint32_t {
    JsonDocument document;
    const std::uint32_t code = ParseWideJsonText(document, text);
    if (code != CONFIG_OK) return code;
    if (!document.Root().IsObject()) return CONFIG_INVALID_JSON;
    return read(document.Root(), *record);
  });
}

void CCloudConfigHelper::Destroy(unsigned flags) {
  m_sectionsText.clear();
  m_sectionsText.shrink_to_fit();
  m_projectText.clear();
  m_projectText.shrink_to_fit();
  if ((flags & 1) != 0) delete this;
}

void CCloudConfigHelper::Release() { Destroy(1); }

const char16_t* CCloudConfigHelper::SectionsToText(const LauncherSettingsRecord* record, const char16_t** text) {
  return BuildText(m_sectionsText, text, [&](JsonDocument& document) {
    WriteSections(document, record);
    return true;
  });
}

std::uint32_t CCloudConfigHelper::SectionFromText(const char16_t* text, LauncherSettingsRecord* record,
                                                  std::int32_t section) {
  return ReadText(text, record, [&](const JsonValue& root, LauncherSettingsRecord& settings) {
    ReadSection(root, settings, section);
    return std::uint32_t{CONFIG_OK};
  });
}

std::uint32_t CCloudConfigHelper::LauncherInfoFromText(const char16_t* text, LauncherSettingsRecord* record) {
  return ReadText(text, record, [](const JsonValue& root, LauncherSettingsRecord& settings) {
    ReadLauncherInfo(root, settings);
    return std::uint32_t{CONFIG_OK};
  });
}

std::uint32_t CCloudConfigHelper::LauncherConfigFromText(const char16_t* text, LauncherSettingsRecord* record) {
  return ReadText(text, record, [](const JsonValue& root, LauncherSettingsRecord& settings) {
    ReadLauncherConfig(root, settings);
    return std::uint32_t{CONFIG_OK};
  });
}

const char16_t* CCloudConfigHelper::ProjectProfileToText(const DeployProjectRecord* record, const char16_t** text) {
  return BuildText(m_projectText, text, [&](JsonDocument& document) {
    if (record == nullptr) return false;
    WriteProjectProfile(document, *record);
    return true;
  });
}

std::uint32_t CCloudConfigHelper::ProjectProfileFromText(const char16_t* text, DeployProjectRecord* record) {
  return ReadText(text, record, ReadProjectProfile);
}

const char16_t* CCloudConfigHelper::DbConfigToText(const DeployProjectRecord* record, const char16_t* projectName,
                                                   const char16_t** text) {
  return BuildText(m_projectText, text, [&](JsonDocument& document) {
    if (record == nullptr) return false;
    WriteDbConfig(document, *record, TextView(projectName), CurrentUtcTime());
    return true;
  });
}

std::uint32_t CCloudConfigHelper::DbConfigFromText(const char16_t* text, DeployProjectRecord* record) {
  return ReadText(text, record, ReadDbConfig);
}

const char16_t* CCloudConfigHelper::LauncherProfilesToText(const char16_t* text,
                                                           const std::list<LauncherProfileEntry>& profiles) {
  return BuildText(m_projectText, nullptr, [&](JsonDocument& document) {
    if (text == nullptr) {
      document.Root().SetObject();
    } else if (ParseWideJsonText(document, text) != CONFIG_OK || !document.Root().IsObject()) {
      return false;
    }
    AppendLauncherProfiles(document, profiles);
    return true;
  });
}
