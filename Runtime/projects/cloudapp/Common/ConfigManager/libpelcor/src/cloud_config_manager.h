// CCloudConfigManager: the library's ICloudConfigManager (contract in
// libpelcor/i_cloud_config_manager.h). Loads and saves follow two patterns:
// a fresh document per call, read whole and handed to a document reader, or
// built by a document writer and saved whole; the document is dropped in
// every case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>

#include "libpelcor/i_cloud_config_manager.h"

class CCloudConfigManager final : public ICloudConfigManager {
 public:
  CCloudConfigManager() = default;
  CCloudConfigManager(const CCloudConfigManager&) = delete;
  CCloudConfigManager& operator=(const CCloudConfigManager&) = delete;

  std::uint32_t LoadDeployConfig(DeployProjectRecord* record, const char16_t* path,
                                 const char16_t* member) override;
  std::uint32_t SaveDeployConfig(const char16_t* path, const char16_t* member,
                                 const DeployProjectRecord* record) override;
  void FreeDeployConfig(DeployProjectRecord* record) override;
  std::uint32_t LoadServerProfile(ServerProfileRecord* record, const char16_t* path) override;
  std::uint32_t SaveServerProfile(const char16_t* path, const ServerProfileRecord* record) override;
  void FreeServerProfile(ServerProfileRecord* record) override;
  std::uint32_t LoadPackageProfile(PackageProfileRecord* record, const char16_t* path) override;
  std::uint32_t SavePackageProfile(const char16_t* path, const PackageProfileRecord* record) override;
  void FreeLinkedServerProfile(PackageProfileRecord* record) override;
  std::uint32_t LoadRuntimeModules(RuntimeModulesRecord* record, const char16_t* path) override;
  void FreeRuntimeModules(RuntimeModulesRecord* record) override;
  std::uint32_t LoadAppConfigText(AppConfigRecord* record, const void* text, std::size_t length) override;
  std::uint32_t LoadAppConfigFile(AppConfigRecord* record, const char16_t* path) override;
  std::uint32_t SaveAppConfig(const char16_t* path, const AppConfigRecord* record) override;
  void FreeAppConfig(AppConfigRecord* record) override;
  std::uint32_t LoadNameList(NameListNode** head, const char16_t* path) override;
  void Reserved16(void* unused) override;
  std::uint32_t LoadTargetFrameworks(TargetFrameworksRecord* record, const char16_t* text,
                                     std::size_t length) override;
  void Reserved18(void* unused) override;
  const char16_t* GetLastErrorText() override;
  IRuntimeManifest* CreateRuntimeManifest() override;
  ITQCloudPlugins* CreateCloudPlugins() override;
  IAppDeployList* CreateAppDeployList() override;
  IAppManifest* CreateAppManifest() override;
  IHtmlFile* CreateHtmlFile() override;
  IHVDeploySolutionMgr* CreateDeploySolutionMgr() override;
  std::uint32_t Reserved26(void* unused1, void* unused2) override;
  std::uint32_t Reserved27(void* unused1, void* unused2) override;
  void FreeServerSettings(ServerSettingsRecord* part) override;
  bool SetString(OutString** block, const char16_t* text) override;
  void FreeString(OutString** block) override;
  void FreeBuffer(OutString** block) override;
  void Release() override;
  ICloudConfigHelper* GetConfigHelper() override;
  std::uint32_t LoadLauncherProfiles(const char16_t* path, std::list<LauncherProfileEntry>* profiles) override;
  std::uint32_t SaveLauncherProfiles(const char16_t* path, const std::list<LauncherProfileEntry>* profiles) override;
  std::uint32_t GetDovrakeVersion(std::u16string& version, const char16_t* path) override;
  void Destroy(unsigned flags) override;
  void FreeNameList(NameListNode** head) override;
  void FreeTargetFrameworks(TargetFrameworksRecord* record) override;

 private:
  ~CCloudConfigManager() override;

  void ReleaseHelper();

  ICloudConfigHelper* m_helper = nullptr;
  std::u16string m_lastError;
};
