#include "app_config_wrapper.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "boundary_guard.h"
#include "cloud_config_manager.h"
#include "cloud_file_key.h"
#include "libpelcor/config_result.h"
#include "platform/wide_string.h"
#include "register_file_index.h"

namespace {

CloudFileInfo FileEntryOf(const AppFileNode& node) {
  CloudFileInfo entry;
  entry.Name = node.Name;
  entry.Path = node.Path;
  entry.HashCode = node.HashCode;
  entry.Size = node.Size;
  entry.NeedExtract = node.Extractable != 0;
  return entry;
}

// A zero-terminated copy made with new[], given back through FreeString.
char16_t* NewTextCopy(const std::u16string& text) {
  auto* copy = new char16_t[text.size() + 1];
  std::copy(text.begin(), text.end(), copy);
  copy[text.size()] = u'\0';
  return copy;
}

}  // namespace

CAppConfigWrapper::~CAppConfigWrapper() {
  if (m_manager != nullptr) m_manager->Release();
}

void CAppConfigWrapper::Release() { delete this; }

bool CAppConfigWrapper::IsLoaded() { return m_loaded; }

void CAppConfigWrapper::FreeString(char16_t* text) { delete[] text; }

void CAppConfigWrapper::ClearList(CloudFileList& files) { files.clear(); }

// Loading.

template <typename LoadRecord>
bool CAppConfigWrapper::Load(LoadRecord load, std::u16string& error) {
  return Guarded(false, [&] {
    m_loaded = false;
    if (m_manager == nullptr) m_manager = new CCloudConfigManager();
    m_manager->FreeAppConfig(&m_record);
    if (load(*m_manager, m_record) == CONFIG_OK) {
      m_loaded = true;
    } else {
      error = m_manager->GetLastErrorText();
    }
    return m_loaded;
  });
}

bool CAppConfigWrapper::LoadFromText(const void* text, std::size_t length, std::u16string& error) {
  return Load([&](CCloudConfigManager& manager,
                  AppConfigRecord& record) { return manager.LoadAppConfigText(&record, text, length); },
              error);
}

bool CAppConfigWrapper::LoadFromFile(const char16_t* path, std::u16string& error) {
  return Load([&](CCloudConfigManager& manager,
                  AppConfigRecord& record) { return manager.LoadAppConfigFile(&record, path); },
              error);
}

bool CAppConfigWrapper::LoadFromTextC(const void* text, std::size_t length, char16_t** error) {
  return Guarded(false, [&] {
    std::u16string message;
    const bool loaded = LoadFromText(text, length, message);
    if (!loaded && error != nullptr && !message.empty()) *error = NewTextCopy(message);
    return loaded;
  });
}

// Texts.

bool CAppConfigWrapper::CopyText(const std::u16string& field, std::u16string& text) {
  return Guarded(false, [&] {
    if (!m_loaded) return false;
    text = field;
    return true;
  });
}

bool CAppConfigWrapper::CopyNonEmpty(const std::u16string& field, std::u16string& text) {
  return CopyText(field, text) && !text.empty();
}

bool CAppConfigWrapper::GetRuntimeVersion(std::u16string& version) {
  return CopyText(m_record.RuntimeVersion, version);
}

bool CAppConfigWrapper::GetStartupFile(std::u16string& file) { return CopyText(m_record.StartupFile, file); }

bool CAppConfigWrapper::GetStartupFileC(char16_t** file) {
  return Guarded(false, [&] {
    std::u16string text;
    const bool found = GetStartupFile(text);
    if (found && !text.empty() && file != nullptr) *file = NewTextCopy(text);
    return found;
  });
}

bool CAppConfigWrapper::GetVersion(std::u16string& version) { return CopyText(m_record.Version, version); }

bool CAppConfigWrapper::GetUpdateGuid(std::u16string& guid) { return CopyText(m_record.UpdateGuid, guid); }

bool CAppConfigWrapper::GetPreloadEventCommands(std::u16string& commands) {
  return CopyText(m_record.PreloadEventCommands, commands);
}

bool CAppConfigWrapper::GetArguments(std::u16string& arguments) { return CopyText(m_record.Arguments, arguments); }

bool CAppConfigWrapper::GetWebApiUrl(std::u16string& url) { return CopyNonEmpty(m_record.WebApiUrl, url); }

bool CAppConfigWrapper::GetModelName(std::u16string& name) { return CopyNonEmpty(m_record.ModelName, name); }

bool CAppConfigWrapper::GetServerAppName(std::u16string& name) { return CopyNonEmpty(m_record.ServerAppName, name); }

bool CAppConfigWrapper::GetAppShortcutName(std::u16string& name) {
  return CopyNonEmpty(m_record.AppShortcutName, name);
}

bool CAppConfigWrapper::GetAppShortcutImage(std::u16string& image) {
  return CopyNonEmpty(m_record.AppShortcutImage, image);
}

bool CAppConfigWrapper::GetRuntimeModules(std::vector<std::u16string>& modules) {
  return Guarded(false, [&] {
    if (!m_loaded) return false;
    modules.insert(modules.end(), m_record.RuntimeModules.begin(), m_record.RuntimeModules.end());
    return true;
  });
}

// Flags and numbers.

bool CAppConfigWrapper::IsX64() { return m_loaded && m_record.Is32Bit == 0; }

bool CAppConfigWrapper::IsFullDownload() { return Flag(m_record.FullDownload); }

bool CAppConfigWrapper::RunCommandAsAdmin() { return Flag(m_record.RunCommandAsAdmin); }

bool CAppConfigWrapper::EncryptTqdFiles() { return Flag(m_record.EncryptTqdFiles); }

std::int32_t CAppConfigWrapper::GetStartMode() { return m_loaded ? m_record.StartMode : 0; }

bool CAppConfigWrapper::IsVerOffCheck() { return Flag(m_record.IsVerOffCheck); }

bool CAppConfigWrapper::CreateDesktopShortcut() { return Flag(m_record.CreateDesktopShortcut); }

bool CAppConfigWrapper::CreateStartMenuShortcut() { return Flag(m_record.CreateStartMenuShortcut); }

bool CAppConfigWrapper::CreateAppUninstallShortcut() { return Flag(m_record.CreateAppUninstallShortcut); }

bool CAppConfigWrapper::ShowStartAnimatedWindow() { return Flag(m_record.ShowStartAnimatedWindow); }

bool CAppConfigWrapper::CheckTqdValidaty() { return Flag(m_record.CheckTqdValidaty); }

bool CAppConfigWrapper::AlwaysRunCommand() { return Flag(m_record.AlwaysRunCommand); }

// File lists.

template <typename Add>
bool CAppConfigWrapper::ListFiles(const std::list<AppFileNode>& nodes, Add add) {
  return Guarded(false, [&] {
    if (!m_loaded) return false;
    for (const AppFileNode& node : nodes) add(FileEntryOf(node));
    return true;
  });
}

bool CAppConfigWrapper::GetPredownloadFiles(CloudFileList& files) {
  return ListFiles(m_record.PredownloadFiles, [&](CloudFileInfo&& entry) { files.push_back(std::move(entry)); });
}

bool CAppConfigWrapper::GetInstantDownloadFiles(CloudFileList& files) {
  return ListFiles(m_record.InstantDownloadFiles, [&](CloudFileInfo&& entry) { files.push_back(std::move(entry)); });
}

bool CAppConfigWrapper::MapPredownloadFiles(CloudFileMap& files) {
  return ListFiles(m_record.PredownloadFiles, [&](CloudFileInfo&& entry) { InsertUnderKey(files, std::move(entry)); });
}

bool CAppConfigWrapper::MapInstantDownloadFiles(CloudFileMap& files) {
  return ListFiles(m_record.InstantDownloadFiles,
                   [&](CloudFileInfo&& entry) { InsertUnderKey(files, std::move(entry)); });
}

bool CAppConfigWrapper::GetRegisterFiles(CloudFileList& files) {
  return Guarded(false, [&] {
    if (!m_loaded) return false;
    if (m_record.RegisterFiles.empty()) return true;
    const RegisterFileIndex index(m_record.PredownloadFiles);
    for (const RegisterFileEntry& entry : m_record.RegisterFiles) {
      const AppFileNode* file = index.Find(entry.Path);
      if (file == nullptr) continue;
      CloudFileInfo& registered = files.emplace_back(FileEntryOf(*file));
      registered.Action = entry.UseRegsvr32 != 0 ? u"regsvr32" : u"regasm";
    }
    return true;
  });
}

// Ini update types.

template <typename ForEachEntry>
bool CAppConfigWrapper::ApplyIniUpdateTypesTo(ForEachEntry for_each_entry) {
  return Guarded(false, [&] {
    if (!m_loaded) return false;
    if (m_record.IniConfigFiles.empty()) return true;
    // File names in ASCII lower case; the first ini file of a name wins.
    std::unordered_map<std::u16string, std::int32_t> update_types;
    for (const IniConfigFileEntry& ini : m_record.IniConfigFiles) {
      update_types.try_emplace(platform::WToLowerAscii(ini.FileName), ini.UpdateType);
    }
    for_each_entry([&](CloudFileInfo& entry) {
      const auto found = update_types.find(platform::WToLowerAscii(entry.Name));
      if (found != update_types.end()) entry.UpdateType = found->second;
    });
    return true;
  });
}

bool CAppConfigWrapper::ApplyIniUpdateTypesToMap(CloudFileMap& files) {
  return ApplyIniUpdateTypesTo([&](auto apply) {
    for (auto& item : files) apply(item.second);
  });
}

bool CAppConfigWrapper::ApplyIniUpdateTypes(CloudFileList& files) {
  return ApplyIniUpdateTypesTo([&](auto apply) {
    for (CloudFileInfo& entry : files) apply(entry);
  });
}
