// IAppManifest: one app configuration document as an object
// (ICloudConfigManager::CreateAppManifest). It loads the document into an
// app record of its own and answers questions about it.
//
// States: not loaded (new, and after any failed load) and loaded. While not
// loaded every getter gives false or 0 and changes nothing; IsLoaded,
// FreeString, ClearList and Release work in both states. Every load starts
// from an empty record, so a failed load leaves nothing behind and a
// successful one replaces what the object held.
//
// Text getters copy into the caller's string and give true (the three
// server texts and the two shortcut texts give true only when not empty).
// List and map getters append to the caller's container, which is not
// emptied first; a map keeps the entry already under a key. File entries
// are made from the document's file nodes: Name, Path, HashCode, Size,
// NeedExtract = Extractable, empty Action and PackageName, UpdateType 2.
//
// One thread at a time; the object takes no lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "libpelcor/cloud_file_info.h"
#include "libpelcor/pelcor_export.h"

class PELCOR_INTERFACE IAppManifest {
 public:
  // As LoadFromText; on failure, when `error` is not null and the error text
  // is not empty, stores a copy of it made for FreeString.
  virtual bool LoadFromTextC(const void* text, std::size_t length, char16_t** error) = 0;
  // Loads `length` bytes in any UTF encoding (ICloudConfigManager::
  // LoadAppConfigText). On failure `error` takes the manager's last-error
  // text (always empty) and the object is not loaded.
  virtual bool LoadFromText(const void* text, std::size_t length, std::u16string& error) = 0;
  // Loads a UTF-8 file (ICloudConfigManager::LoadAppConfigFile).
  virtual bool LoadFromFile(const char16_t* path, std::u16string& error) = 0;
  virtual bool GetRuntimeVersion(std::u16string& version) = 0;
  // Appends every runtime module name, in order.
  virtual bool GetRuntimeModules(std::vector<std::u16string>& modules) = 0;
  // As GetStartupFile; when it gives true and the text is not empty, stores
  // a copy made for FreeString in *file.
  virtual bool GetStartupFileC(char16_t** file) = 0;
  virtual bool GetStartupFile(std::u16string& file) = 0;
  virtual bool GetVersion(std::u16string& version) = 0;
  virtual bool GetUpdateGuid(std::u16string& guid) = 0;
  virtual bool GetPreloadEventCommands(std::u16string& commands) = 0;
  virtual bool GetArguments(std::u16string& arguments) = 0;
  virtual bool GetWebApiUrl(std::u16string& url) = 0;
  virtual bool GetModelName(std::u16string& name) = 0;
  virtual bool GetServerAppName(std::u16string& name) = 0;
  // Loaded and not 32-bit.
  virtual bool IsX64() = 0;
  virtual bool IsLoaded() = 0;
  // Ends the object (and its private manager).
  virtual void Release() = 0;
  // Frees a text handed out by LoadFromTextC or GetStartupFileC; null is
  // ignored.
  virtual void FreeString(char16_t* text) = 0;
  // One entry per top-level file (package contents are not listed).
  virtual bool GetPredownloadFiles(CloudFileList& files) = 0;
  virtual bool GetInstantDownloadFiles(CloudFileList& files) = 0;
  // One entry per register file found among the predownload files (or the
  // files inside their packages), compared without ASCII case; Action is
  // "regsvr32" or "regasm". A register file that is not found adds nothing.
  // The relative path of a file is Path, "\", Name; of a file inside a
  // package the package's Path, "\", the file's Path, "\", its Name, with
  // no "\" after an empty piece or after one ending in "\" or "/". The first
  // file of a path wins; a package itself is never a register file.
  virtual bool GetRegisterFiles(CloudFileList& files) = 0;
  virtual bool IsFullDownload() = 0;
  // One entry per top-level file under its relative path.
  virtual bool MapPredownloadFiles(CloudFileMap& files) = 0;
  virtual bool MapInstantDownloadFiles(CloudFileMap& files) = 0;
  virtual bool RunCommandAsAdmin() = 0;
  virtual bool EncryptTqdFiles() = 0;
  virtual std::int32_t GetStartMode() = 0;
  // Empties a list of file entries.
  virtual void ClearList(CloudFileList& files) = 0;
  virtual bool IsVerOffCheck() = 0;
  virtual bool CreateDesktopShortcut() = 0;
  virtual bool CreateStartMenuShortcut() = 0;
  virtual bool CreateAppUninstallShortcut() = 0;
  virtual bool ShowStartAnimatedWindow() = 0;
  virtual bool CheckTqdValidaty() = 0;
  virtual bool AlwaysRunCommand() = 0;
  // Sets UpdateType of every entry whose Name equals an ini file's name
  // without ASCII case (the first such ini file wins).
  virtual bool ApplyIniUpdateTypesToMap(CloudFileMap& files) = 0;
  virtual bool ApplyIniUpdateTypes(CloudFileList& files) = 0;
  virtual bool GetAppShortcutName(std::u16string& name) = 0;
  virtual bool GetAppShortcutImage(std::u16string& image) = 0;

 protected:
  virtual ~IAppManifest() = default;
};
