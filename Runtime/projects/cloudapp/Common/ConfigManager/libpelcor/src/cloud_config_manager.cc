#include "cloud_config_manager.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app_config_document.h"
#include "app_config_wrapper.h"
#include "app_deploy_list.h"
#include "boundary_guard.h"
#include "cloud_config_helper.h"
#include "deploy_project_document.h"
#include "deploy_project_lists.h"
#include "html_file.h"
#include "hv_deploy_solution_mgr.h"
#include "json_document.h"
#include "json_file.h"
#include "json_members.h"
#include "launcher_profile_list_document.h"
#include "libpelcor/config_result.h"
#include "libpelcor/i_cloud_config_helper.h"
#include "manifest_modules_reader.h"
#include "name_list_document.h"
#include "out_string_block.h"
#include "package_profile_document.h"
#include "record_list.h"
#include "runtime_manifest.h"
#include "server_profile_document.h"
#include "target_frameworks_document.h"
#include "text_conversion.h"
#include "tq_cloud_plugins.h"

namespace {

// Load pattern: a fresh document, the whole file, then the reader on the
// root. A file error is returned as it is.
template <typename Read>
std::uint32_t LoadFile(const char16_t* path, Read read) {
  return Guarded<std::uint32_t>(CONFIG_INVALID_JSON, [&] {
    JsonDocument document;
    const std::uint32_t code = LoadJsonFile(document, path);
    return code != CONFIG_OK ? code : read(document.Root());
  });
}

// The same over bytes in any UTF encoding.
template <typename Read>
std::uint32_t LoadText(const void* bytes, std::size_t length, Read read) {
  return Guarded<std::uint32_t>(CONFIG_INVALID_JSON, [&] {
    JsonDocument document;
    const std::uint32_t code = ParseJsonText(document, bytes, length);
    return code != CONFIG_OK ? code : read(document.Root());
  });
}

// A new object of the library for the caller; null when it cannot be made.
template <typename Object>
Object* MakeObject() {
  return Guarded<Object*>(nullptr, [] { return new Object(); });
}

// Save pattern: a fresh document that the writer fills, saved whole.
template <typename Write>
std::uint32_t SaveFile(const char16_t* path, Write write) {
  return Guarded<std::uint32_t>(CONFIG_INVALID_JSON, [&] {
    JsonDocument document;
    write(document);
    return SaveJsonFile(document, path);
  });
}

}  // namespace

CCloudConfigManager::~CCloudConfigManager() { ReleaseHelper(); }

void CCloudConfigManager::ReleaseHelper() {
  if (m_helper != nullptr) m_helper->Release();
  m_helper = nullptr;
}

// Deployment project.

std::uint32_t CCloudConfigManager::LoadDeployConfig(DeployProjectRecord* record, const char16_t* path,
                                                    const char16_t* member) {
  if (record == nullptr || member == nullptr) return CONFIG_INVALID_JSON;
  return LoadFile(path, [&](const JsonValue& root) -> std::uint32_t {
    if (!root.IsObject()) return CONFIG_INVALID_JSON;
    const JsonValue* project = FindMember(root, member);
    return project != nullptr ? ReadDeployProject(*project, *record) : CONFIG_MISSING_MEMBER;
  });
}

std::uint32_t CCloudConfigManager::SaveDeployConfig(const char16_t* path, const char16_t* member,
                                                    const DeployProjectRecord* record) {
  if (record == nullptr || member == nullptr) return CONFIG_INVALID_JSON;
  return SaveFile(path, [&](JsonDocument& document) { WriteDeployProject(document, member, *record); });
}

void CCloudConfigManager::FreeDeployConfig(DeployProjectRecord* record) {
  if (record == nullptr) return;
  FreeRecordList(record->Libraries);
  FreePackageList(record->PredownloadPackages);
  FreeRecordList(record->PredownloadFiles);
  FreeRecordList(record->InstantDownloadFiles);
  FreeRecordList(record->RegisterFiles);
  FreeRecordList(record->IniConfigFiles);
  FreeRecordList(record->RuntimeModules);
  FreeRecordList(record->BuildLibraries);
  FreeOutString(record->ServerSettings.dbconfig);
}

void CCloudConfigManager::FreeServerSettings(ServerSettingsRecord* part) {
  if (part == nullptr) return;
  FreeOutString(part->dbconfig);
  std::memset(static_cast<void*>(part), 0, sizeof *part);
}

// Server, package and launcher profiles, name lists, target frameworks.

std::uint32_t CCloudConfigManager::LoadServerProfile(ServerProfileRecord* record, const char16_t* path) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return LoadFile(path, [&](const JsonValue& root) { return ReadServerProfile(root, *record); });
}

std::uint32_t CCloudConfigManager::SaveServerProfile(const char16_t* path, const ServerProfileRecord* record) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return SaveFile(path, [&](JsonDocument& document) { WriteServerProfile(document, *record); });
}

void CCloudConfigManager::FreeServerProfile(ServerProfileRecord* record) {
  if (record != nullptr) FreeRecordList(record->RemoteServers);
}

std::uint32_t CCloudConfigManager::LoadPackageProfile(PackageProfileRecord* record, const char16_t* path) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return LoadFile(path, [&](const JsonValue& root) { return ReadLauncherProfile(root, *record); });
}

std::uint32_t CCloudConfigManager::SavePackageProfile(const char16_t* path, const PackageProfileRecord* record) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return SaveFile(path, [&](JsonDocument& document) { WriteLauncherProfile(document, *record); });
}

void CCloudConfigManager::FreeLinkedServerProfile(PackageProfileRecord* record) {
  if (record != nullptr) FreeServerProfile(record->WebServer);
}

std::uint32_t CCloudConfigManager::LoadNameList(NameListNode** head, const char16_t* path) {
  if (head == nullptr) return CONFIG_INVALID_JSON;
  return LoadFile(path, [&](const JsonValue& root) { return ReadNameList(root, *head); });
}

void CCloudConfigManager::FreeNameList(NameListNode** head) {
  if (head != nullptr) FreeRecordList(*head);
}

// At most `length` bytes of the text's UTF-8 form, never beyond its end.
std::uint32_t CCloudConfigManager::LoadTargetFrameworks(TargetFrameworksRecord* record, const char16_t* text,
                                                        std::size_t length) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return Guarded<std::uint32_t>(CONFIG_INVALID_JSON, [&] {
    const std::string utf8 = WideToUtf8(TextView(text));
    return LoadText(utf8.data(), std::min(length, utf8.size()),
                    [&](const JsonValue& root) { return ReadTargetFrameworks(root, *record); });
  });
}

void CCloudConfigManager::FreeTargetFrameworks(TargetFrameworksRecord* record) {
  if (record != nullptr) FreeTargetFrameworkList(*record);
}

std::uint32_t CCloudConfigManager::LoadLauncherProfiles(const char16_t* path,
                                                        std::list<LauncherProfileEntry>* profiles) {
  if (profiles == nullptr) return CONFIG_INVALID_JSON;
  return LoadFile(path, [&](const JsonValue& root) { return ReadLauncherProfileList(root, *profiles); });
}

std::uint32_t CCloudConfigManager::SaveLauncherProfiles(const char16_t* path,
                                                        const std::list<LauncherProfileEntry>* profiles) {
  if (profiles == nullptr) return CONFIG_INVALID_JSON;
  return SaveFile(path, [&](JsonDocument& document) { WriteLauncherProfileList(document, *profiles); });
}

// Runtime manifest.

std::uint32_t CCloudConfigManager::LoadRuntimeModules(RuntimeModulesRecord* record, const char16_t* path) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return LoadFile(path, [&](const JsonValue& root) { return ReadManifestModules(root, *record); });
}

void CCloudConfigManager::FreeRuntimeModules(RuntimeModulesRecord* record) {
  if (record == nullptr) return;
  FreeRecordList(record->Modules);
  FreeRecordList(record->Groups);
}

// App configuration.

std::uint32_t CCloudConfigManager::LoadAppConfigText(AppConfigRecord* record, const void* text, std::size_t length) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return LoadText(text, length, [&](const JsonValue& root) { return ReadAppConfig(root, *record); });
}

std::uint32_t CCloudConfigManager::LoadAppConfigFile(AppConfigRecord* record, const char16_t* path) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return LoadFile(path, [&](const JsonValue& root) { return ReadAppConfig(root, *record); });
}

std::uint32_t CCloudConfigManager::SaveAppConfig(const char16_t* path, const AppConfigRecord* record) {
  if (record == nullptr) return CONFIG_INVALID_JSON;
  return SaveFile(path, [&](JsonDocument& document) { WriteAppConfig(document, *record); });
}

void CCloudConfigManager::FreeAppConfig(AppConfigRecord* record) {
  if (record == nullptr) return;
  record->PredownloadFiles.clear();
  record->InstantDownloadFiles.clear();
  record->RegisterFiles.clear();
  record->RuntimeModules.clear();
  record->IniConfigFiles.clear();
  record->WebApiUrl.clear();
  record->ModelName.clear();
  record->ServerAppName.clear();
}

// Plug-in version document.

std::uint32_t CCloudConfigManager::GetDovrakeVersion(std::u16string& version, const char16_t* path) {
  return LoadFile(path, [&](const JsonValue& root) -> std::uint32_t {
    if (!root.IsObject()) return CONFIG_INVALID_JSON;
    const JsonValue* dovrake = FindMember(root, u"dovrake");
    if (dovrake == nullptr) return CONFIG_MISSING_MEMBER;
    if (!dovrake->IsObject()) return CONFIG_INVALID_JSON;
    version = GetStringMember(*dovrake, u"version");
    return CONFIG_OK;
  });
}

// Objects.

IRuntimeManifest* CCloudConfigManager::CreateRuntimeManifest() { return MakeObject<CRuntimeManifest>(); }

ITQCloudPlugins* CCloudConfigManager::CreateCloudPlugins() { return MakeObject<CTQCloudPlugins>(); }

IAppDeployList* CCloudConfigManager::CreateAppDeployList() { return MakeObject<CAppDeployList>(); }

IAppManifest* CCloudConfigManager::CreateAppManifest() { return MakeObject<CAppConfigWrapper>(); }

IHtmlFile* CCloudConfigManager::CreateHtmlFile() { return MakeObject<CHtmlFile>(); }

IHVDeploySolutionMgr* CCloudConfigManager::CreateDeploySolutionMgr() { return MakeObject<CHVDeploySolutionMgr>(); }

ICloudConfigHelper* CCloudConfigManager::GetConfigHelper() {
  if (m_helper == nullptr) m_helper = MakeObject<CCloudConfigHelper>();
  return m_helper;
}

// Out-strings.

bool CCloudConfigManager::SetString(OutString** block, const char16_t* text) {
  return block != nullptr && SetOutString(*block, text);
}

void CCloudConfigManager::FreeString(OutString** block) {
  if (block != nullptr) FreeOutString(*block);
}

void CCloudConfigManager::FreeBuffer(OutString** block) { FreeString(block); }

// Reserved slots, last error, lifetime.

void CCloudConfigManager::Reserved16(void*) {}

void CCloudConfigManager::Reserved18(void*) {}

std::uint32_t CCloudConfigManager::Reserved26(void*, void*) { return CONFIG_OK; }

std::uint32_t CCloudConfigManager::Reserved27(void*, void*) { return CONFIG_OK; }

const char16_t* CCloudConfigManager::GetLastErrorText() { return m_lastError.c_str(); }

void CCloudConfigManager::Release() { Destroy(1); }

void CCloudConfigManager::Destroy(unsigned flags) {
  ReleaseHelper();
  m_lastError.clear();
  if ((flags & 1) != 0) delete this;
}
