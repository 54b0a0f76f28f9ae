// The app record: one app configuration document (start options, shortcut
// settings, download lists, files to register, runtime modules, server
// settings, ini files) in memory.
//
// Unlike the other records, it is made of standard-library strings and
// lists: caller and library must be built against one standard library and
// share one heap. Whoever makes a record owns it; the library fills it
// through ICloudConfigManager (LoadAppConfigText, LoadAppConfigFile) and
// IAppManifest. A new record has empty texts and lists and zero numbers.
//
// The document: examples/libpelcor/sample-app.json (in the source tree)
// holds every member the reader takes. "PredownloadFiles",
// "InstantDownloadFiles", "RegisterFiles", "RuntimeModules" and
// "IniConfigFiles" are required (arrays, which may be empty); every other
// member may be left out. "halvern"."AppName" is read, never written.
#pragma once

#include <cstdint>
#include <list>
#include <string>

// One file of a download list.
struct AppFileNode {
  std::u16string Name;
  std::u16string Path;  // the folder, relative
  std::uint32_t Size = 0;
  std::u16string HashCode;
  std::int32_t Extractable = 0;  // 1: a package whose files are Children
  std::list<AppFileNode> Children;
};

// One file to register.
struct RegisterFileEntry {
  std::u16string Path;  // relative path and name, as the document has it
  // Register with regsvr32 (1) rather than regasm (0). The document does not
  // carry it: 0 after every load.
  std::int32_t UseRegsvr32 = 0;
};

// One ini file that an update changes.
struct IniConfigFileEntry {
  std::u16string FileName;
  std::int32_t UpdateType = 0;
};

// Flags are 1 for true and 0 for false.
struct AppConfigRecord {
  std::u16string Format;
  std::u16string Version;
  std::u16string UserGuid;
  std::u16string UpdateGuid;
  std::u16string StartupFile;
  std::int32_t Is32Bit = 0;
  std::int32_t EncryptTqdFiles = 0;
  std::int32_t FullDownload = 0;
  std::int32_t StartMode = 0;
  std::int32_t IsVerOffCheck = 0;
  std::int32_t CreateDesktopShortcut = 0;
  std::int32_t CreateStartMenuShortcut = 0;
  std::int32_t CreateAppUninstallShortcut = 0;
  std::int32_t ShowStartAnimatedWindow = 0;
  std::int32_t CheckTqdValidaty = 0;
  std::int32_t AlwaysRunCommand = 0;
  std::u16string Arguments;
  std::u16string PreloadEventCommands;
  std::int32_t RunCommandAsAdmin = 0;
  std::list<AppFileNode> PredownloadFiles;
  std::list<AppFileNode> InstantDownloadFiles;
  std::list<RegisterFileEntry> RegisterFiles;
  std::u16string RuntimeVersion;
  std::list<std::u16string> RuntimeModules;
  std::u16string WebApiUrl;      // "halvern"."webapiurl"
  std::u16string ModelName;      // "halvern"."modelname"
  std::u16string ServerAppName;  // "halvern"."AppName"
  std::u16string AppShortcutName;
  std::u16string AppShortcutImage;
  std::list<IniConfigFileEntry> IniConfigFiles;
};
