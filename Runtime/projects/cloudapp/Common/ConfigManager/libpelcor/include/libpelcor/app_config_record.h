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
// The document is a JSON object. The comment after each field names the
// member that fills it and the member's JSON type; a load reads them so:
// - string: the text. Absent, or of another type: the empty text.
// - true/false: JSON true gives 1, false 0. Any other value gives 0, like
//   absence: "Is32Bit": 1 and "Is32Bit": "true" read as 0.
// - integer: a JSON number without fraction or exponent, its low 32 bits.
//   Absent, or another value (2.0, "2", true): 0.
// - The five lists "PredownloadFiles", "InstantDownloadFiles",
//   "RegisterFiles", "RuntimeModules" and "IniConfigFiles" are required
//   arrays (they may be empty): one missing gives CONFIG_MISSING_MEMBER,
//   one of another type CONFIG_INVALID_JSON, and the record stays exactly
//   as it was. An element of another type than its list's is skipped (a
//   number among the file objects, an object among the "RegisterFiles"
//   strings), and so is every member the format does not have: a file's
//   contents are never inside its file object (a "Children" member is
//   ignored) but in the root's "Packages" object (AppFileNode::Children).
// Lists are appended to, not emptied first (FreeAppConfig empties them).
// A save writes every member below except "halvern"."AppName", "Format" as
// "1.0", flags as true/false and the contents of the extractable files of
// PredownloadFiles (one level) as "Packages".
//
// A document holding every member the reader takes: sample-app.json, in
// examples/libpelcor/ of the source tree, installed as
// <prefix>/share/lumarine/examples/libpelcor/sample-app.json.
#pragma once

#include <cstdint>
#include <list>
#include <string>

// One file of a download list: an element of "PredownloadFiles",
// "InstantDownloadFiles" or of an array of "Packages", a file object.
struct AppFileNode {
  std::u16string Name;           // "Name": string
  std::u16string Path;           // "Path": string, the folder, relative
  std::uint32_t Size = 0;        // "Size": integer (unsigned)
  std::u16string HashCode;       // "HashCode": string
  std::int32_t Extractable = 0;  // "Extractable": true/false; 1: a package
  // A package's files: the file objects of the array that the root's
  // "Packages" object (package name -> array of file objects) holds under
  // the package's exact Name. None when "Packages" or that member is of
  // another type. Their packages are expanded in turn, 32 levels at most
  // (deeper: CONFIG_INVALID_JSON); a package met again inside its own
  // contents is listed but not expanded again.
  std::list<AppFileNode> Children;
};

// One file to register: an element of "RegisterFiles", a string.
struct RegisterFileEntry {
  std::u16string Path;  // the string: relative path and name
  // Register with regsvr32 (1) rather than regasm (0). The document does not
  // carry it: 0 after every load.
  std::int32_t UseRegsvr32 = 0;
};

// One ini file that an update changes: an element of "IniConfigFiles", an
// object. An element without a string "FileName" and an integer
// "UpdateType" is skipped.
struct IniConfigFileEntry {
  std::u16string FileName;      // "FileName": string
  std::int32_t UpdateType = 0;  // "UpdateType": integer; 0 is read as 2
};

// Flags are 1 for true and 0 for false.
struct AppConfigRecord {
  std::u16string Format;                     // "Format": string; saved as "1.0"
  std::u16string Version;                    // "Version": string
  std::u16string UserGuid;                   // "UserGuid": string
  std::u16string UpdateGuid;                 // "UpdateGuid": string
  std::u16string StartupFile;                // "StartupFile": string
  std::int32_t Is32Bit = 0;                  // "Is32Bit": true/false
  std::int32_t EncryptTqdFiles = 0;          // "EncryptTqdFiles": true/false
  std::int32_t FullDownload = 0;             // "FullDownload": true/false
  std::int32_t StartMode = 0;                // "StartMode": integer
  std::int32_t IsVerOffCheck = 0;            // "IsVerOffCheck": true/false
  std::int32_t CreateDesktopShortcut = 0;    // "CreateDesktopShortcut": true/false
  std::int32_t CreateStartMenuShortcut = 0;  // "CreateStartMenuShortcut": true/false
  std::int32_t CreateAppUninstallShortcut = 0;  // "CreateAppUninstallShortcut": true/false
  std::int32_t ShowStartAnimatedWindow = 0;  // "ShowStartAnimatedWindow": true/false
  std::int32_t CheckTqdValidaty = 0;         // "CheckTqdValidaty": true/false
  std::int32_t AlwaysRunCommand = 0;         // "AlwaysRunCommand": true/false
  std::u16string Arguments;                  // "Arguments": string
  std::u16string PreloadEventCommands;       // "PreloadEventCommands": string
  std::int32_t RunCommandAsAdmin = 0;        // "RunCommandAsAdmin": true/false
  std::list<AppFileNode> PredownloadFiles;   // "PredownloadFiles": array of file objects, required
  std::list<AppFileNode> InstantDownloadFiles;  // "InstantDownloadFiles": array of file objects, required
  std::list<RegisterFileEntry> RegisterFiles;   // "RegisterFiles": array of strings, required
  std::u16string RuntimeVersion;             // "RuntimeVersion": string
  std::list<std::u16string> RuntimeModules;  // "RuntimeModules": array of strings, required
  // "halvern": an object. Absent, or of another type: the three texts keep
  // the values they had.
  std::u16string WebApiUrl;                  // "halvern"."webapiurl": string
  std::u16string ModelName;                  // "halvern"."modelname": string
  std::u16string ServerAppName;              // "halvern"."AppName": string; read, never saved
  std::u16string AppShortcutName;            // "AppShortcutName": string
  std::u16string AppShortcutImage;           // "AppShortcutImage": string
  std::list<IniConfigFileEntry> IniConfigFiles;  // "IniConfigFiles": array of objects, required
};
