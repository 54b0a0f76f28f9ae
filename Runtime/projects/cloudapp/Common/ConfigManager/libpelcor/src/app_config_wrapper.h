// CAppConfigWrapper: the library's IAppManifest (contract in
// libpelcor/i_app_manifest.h). It loads an app configuration document into
// an app record of its own through a private configuration manager, made
// on the first load and ended with the object.
//
// Every load starts from an empty record, so a failed load leaves nothing
// that a later load would add to. Every operation catches what the library
// throws (allocation failure) and reports it as its failure value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "libpelcor/app_config_record.h"
#include "libpelcor/i_app_manifest.h"

class CCloudConfigManager;

class CAppConfigWrapper final : public IAppManifest {
 public:
  CAppConfigWrapper() = default;
  CAppConfigWrapper(const CAppConfigWrapper&) = delete;
  CAppConfigWrapper& operator=(const CAppConfigWrapper&) = delete;

  bool LoadFromTextC(const void* text, std::size_t length, char16_t** error) override;
  bool LoadFromText(const void* text, std::size_t length, std::u16string& error) override;
  bool LoadFromFile(const char16_t* path, std::u16string& error) override;
  bool GetRuntimeVersion(std::u16string& version) override;
  bool GetRuntimeModules(std::vector<std::u16string>& modules) override;
  bool GetStartupFileC(char16_t** file) override;
  bool GetStartupFile(std::u16string& file) override;
  bool GetVersion(std::u16string& version) override;
  bool GetUpdateGuid(std::u16string& guid) override;
  bool GetPreloadEventCommands(std::u16string& commands) override;
  bool GetArguments(std::u16string& arguments) override;
  bool GetWebApiUrl(std::u16string& url) override;
  bool GetModelName(std::u16string& name) override;
  bool GetServerAppName(std::u16string& name) override;
  bool IsX64() override;
  bool IsLoaded() override;
  void Release() override;
  void FreeString(char16_t* text) override;
  bool GetPredownloadFiles(CloudFileList& files) override;
  bool GetInstantDownloadFiles(CloudFileList& files) override;
  bool GetRegisterFiles(CloudFileList& files) override;
  bool IsFullDownload() override;
  bool MapPredownloadFiles(CloudFileMap& files) override;
  bool MapInstantDownloadFiles(CloudFileMap& files) override;
  bool RunCommandAsAdmin() override;
  bool EncryptTqdFiles() override;
  std::int32_t GetStartMode() override;
  void ClearList(CloudFileList& files) override;
  bool IsVerOffCheck() override;
  bool CreateDesktopShortcut() override;
  bool CreateStartMenuShortcut() override;
  bool CreateAppUninstallShortcut() override;
  bool ShowStartAnimatedWindow() override;
  bool CheckTqdValidaty() override;
  bool AlwaysRunCommand() override;
  bool ApplyIniUpdateTypesToMap(CloudFileMap& files) override;
  bool ApplyIniUpdateTypes(CloudFileList& files) override;
  bool GetAppShortcutName(std::u16string& name) override;
  bool GetAppShortcutImage(std::u16string& image) override;

 private:
  ~CAppConfigWrapper() override;

  // Empties the record, then load(manager, record) gives the manager's
  // result code; 0 makes the object loaded, anything else leaves it not
  // loaded with `error` set to the manager's last-error text.
  template <typename LoadRecord>
  bool Load(LoadRecord load, std::u16string& error);
  // Copies a text of the record (loaded only); CopyNonEmpty is true only
  // for a text that is not empty.
  bool CopyText(const std::u16string& field, std::u16string& text);
  bool CopyNonEmpty(const std::u16string& field, std::u16string& text);
  bool Flag(std::int32_t field) const { return m_loaded && field != 0; }
  // Calls add(entry) for the entry of every top-level file of the list.
  template <typename Add>
  bool ListFiles(const std::list<AppFileNode>& nodes, Add add);
  // Sets the update type of every file entry named like an ini file.
  template <typename ForEachEntry>
  bool ApplyIniUpdateTypesTo(ForEachEntry for_each_entry);

  AppConfigRecord m_record;
  bool m_loaded = false;
  CCloudConfigManager* m_manager = nullptr;
};
