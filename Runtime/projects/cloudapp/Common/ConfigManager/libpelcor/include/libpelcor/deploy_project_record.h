// The deployment-project record: how one cloud app is built, packaged and
// deployed, with the settings of its application server. Read and written
// by ICloudConfigManager (LoadDeployConfig, SaveDeployConfig,
// FreeDeployConfig, FreeServerSettings) and by ICloudConfigHelper's project
// profile and DbConfig texts (i_cloud_config_helper.h).
//
// The document: a JSON object whose member of a name the caller gives
// holds the project object, whose members fill the fields. Conventions,
// and how each JSON type reads: fixed_record.h. The comment after a field
// names its member of the project object, its type and its default.
// Required: "Libraries", "PredownloadPackages", "PredownloadFiles",
// "InstantDownloadFiles", "RuntimeModules", "RegisterFiles", "Signing" and
// "IniConfigFiles", checked in that order; the first one missing or of
// another type ends the load, leaving the scalars filled and the lists of
// the earlier ones attached. A list is read whole, then appended to the
// record's list: free a loaded record (FreeDeployConfig) before loading
// into it again. In the lists:
// - an element that should be a string and is not gives a node with the
//   empty name, and a "Libraries" element that is not an object a node with
//   empty texts: the nodes keep their places;
// - an "IniConfigFiles" element without a string "FileName" and an integer
//   "UpdateType" is skipped.
// "OutputDir" is written, never read; "Format" is always written as "1.0";
// "halvern" and "CSharpUIConfig" are always written, so a saved document
// always reads back.
//
// A document holding every member: sample-deploy-project.json (the project
// under the root member "DeployConfig"), in examples/libpelcor/ of the
// source tree, installed as
// <prefix>/share/lumarine/examples/libpelcor/sample-deploy-project.json.
#pragma once

#include <cstdint>

#include "libpelcor/fixed_record.h"
#include "libpelcor/out_string.h"
#include "libpelcor/signing_settings.h"

// A "Libraries" element, an object; also BuildConfig "Libraries".
struct LibraryNode {
  LibraryNode* Next = nullptr;
  char16_t TqdName[260] = {};       // "TqdName": string
  char16_t TqdLocalPath[260] = {};  // "TqdLocalPath": string
};

// One file name of a list: an element, a string.
struct FileNameNode {
  FileNameNode* Next = nullptr;
  char16_t Name[260] = {};
};

// A member of "PredownloadPackages" (an object: package name -> array of
// file names). A member whose value is not an array makes the load give
// CONFIG_INVALID_JSON, adding no package.
struct PackageNode {
  PackageNode* Next = nullptr;
  char16_t Name[64] = {};         // the member's name
  FileNameNode* Files = nullptr;  // the array's strings; freed with the package
};

// An "IniConfigFiles" element, an object.
struct IniFileNode {
  IniFileNode* Next = nullptr;
  char16_t FileName[260] = {};  // "FileName": string
  std::int32_t UpdateType = 0;  // "UpdateType": integer; 0 is read as 2
};

// A "RuntimeModules" element, a string: a module name only (the runtime
// manifest's RuntimeModuleNode carries more). "TX TextControl ActiveX 15.0",
// "TX TextControl ActiveX 28.0", "TX TextControl ActiveX 30.0" and "Rich
// Edit Control (Quorin Edit Control)" are stored as "TX TextControl
// ActiveX".
struct ModuleNode {
  ModuleNode* Next = nullptr;
  char16_t Name[64] = {};
};

// The application-server settings: "halvern", an object. Emptied (its old
// dbconfig text freed) before every load; absent: it stays empty; of
// another type: the load gives CONFIG_INVALID_JSON.
struct ServerSettingsRecord {
  char16_t webapiurl[260] = {};                // "webapiurl": string
  char16_t webapihost[260] = {};               // "webapihost": string
  std::int32_t webapiport = 0;                 // "webapiport": integer (unsigned)
  PelcorFlag iswebapihttps = 0;                // "iswebapihttps": true/false
  char16_t srvsrcoutdir[260] = {};             // "srvsrcoutdir": string
  char16_t srvsrcoutdiradditiondir[260] = {};  // "srvsrcoutdiradditiondir": string
  char16_t modelname[260] = {};                // "modelname": string
  std::int32_t generateopts = 0;               // "generateopts": integer
  // "dbconfig": string; absent, empty or of another type: null. Written
  // only when set.
  OutString* dbconfig = nullptr;
  char16_t TemplateTypeName[260] = {};         // "TemplateTypeName": string
  char16_t TargetFramework[260] = {};          // "TargetFramework": string
  PelcorFlag bBuildSolution = 0;               // "bBuildSolution": true/false
  char16_t EnvironmentType[260] = {};          // "EnvironmentType": string
  char16_t webapipath[260] = {};               // "webapipath": string
};

struct DeployProjectRecord {
  char16_t Format[16] = {};        // "Format": string; saved as "1.0"
  char16_t ProjectDir[260] = {};   // not in the document
  // "OutputDir": written, never read: the app's cache folder,
  // "$TMPDIR/tqappscache 22.0/temp/<AppName>", or empty when that path is
  // longer than the field.
  char16_t OutputDir[260] = {};
  char16_t AppName[128] = {};               // "AppName": string
  char16_t ResourceName[260] = {};          // "ResourceName": string
  char16_t Arguments[512] = {};             // "Arguments": string
  char16_t DeployVersion[16] = {};          // "DeployVersion": string
  char16_t MinimumValidVersion[16] = {};    // "MinimumValidVersion": string
  char16_t OnlineTime[32] = {};             // "OnlineTime": string
  char16_t OfflineTime[32] = {};            // "OfflineTime": string
  PelcorFlag PromptOverwrite = 0;           // "PromptOverwrite": true/false
  PelcorFlag WindowsClassicStyle = 0;       // "WindowsClassicStyle": true/false
  PelcorFlag FullBuild = 0;                 // "FullBuild": true/false
  PelcorFlag Is32Bit = 0;                   // "Is32Bit": true/false, default 1
  PelcorFlag EnableDebugSymbol = 0;         // "EnableDebugSymbol": true/false
  PelcorFlag EncryptTqdFiles = 0;           // "EncryptTqdFiles": true/false
  PelcorFlag LocalServer = 0;               // "LocalServer": true/false, default 1
  char16_t ServerProfile[64] = {};          // "ServerProfile": string
  PelcorFlag CheckLauncherValid = 0;        // "CheckLauncherValid": true/false
  PelcorFlag FullDownload = 0;              // "FullDownload": true/false
  std::int32_t AppType = 0;                 // "AppType": integer
  std::int32_t StartMode = 0;               // "StartMode": integer, default 2
  PelcorFlag IsVerOffCheck = 0;             // "IsVerOffCheck": true/false
  PelcorFlag CreateDesktopShortcut = 0;     // "CreateDesktopShortcut": true/false, default 1
  PelcorFlag CreateStartMenuShortcut = 0;   // "CreateStartMenuShortcut": true/false, default 1
  PelcorFlag CreateAppUninstallShortcut = 0;  // "CreateAppUninstallShortcut": true/false, default 1
  PelcorFlag ShowStartAnimatedWindow = 0;   // "ShowStartAnimatedWindow": true/false, default 1
  PelcorFlag CheckTqdValidaty = 0;          // "CheckTqdValidaty": true/false
  char16_t AppShortcutName[128] = {};       // "AppShortcutName": string
  char16_t AppShortcutImage[256] = {};      // "AppShortcutImage": string
  char16_t TQCParams[512] = {};             // "TQCParams": string
  LibraryNode* Libraries = nullptr;         // "Libraries": array of objects, required
  PackageNode* PredownloadPackages = nullptr;  // "PredownloadPackages": object, required
  FileNameNode* PredownloadFiles = nullptr;    // "PredownloadFiles": array of strings, required
  FileNameNode* InstantDownloadFiles = nullptr;  // "InstantDownloadFiles": array of strings, required
  FileNameNode* RegisterFiles = nullptr;    // "RegisterFiles": array of strings, required
  IniFileNode* IniConfigFiles = nullptr;    // "IniConfigFiles": array of objects, required
  char16_t RuntimeVersion[32] = {};         // "RuntimeVersion": string
  ModuleNode* RuntimeModules = nullptr;     // "RuntimeModules": array of strings, required
  char16_t PreloadEventCommands[4096] = {};  // "PreloadEventCommands": string
  PelcorFlag RunCommandAsAdmin = 0;         // "RunCommandAsAdmin": true/false
  PelcorFlag AlwaysRunCommand = 0;          // "AlwaysRunCommand": true/false
  char16_t ProductName[256] = {};           // "ProductName": string
  char16_t CompanyName[256] = {};           // "CompanyName": string
  char16_t Description[512] = {};           // "Description": string
  char16_t Copyright[128] = {};             // "Copyright": string
  char16_t ProductVersion[64] = {};         // "ProductVersion": string
  char16_t FileVersion[64] = {};            // "FileVersion": string
  std::uint16_t ProductVersionMajor = 0;    // "ProductVersionMajor": integer
  std::uint16_t ProductVersionMinor = 0;    // "ProductVersionMinor": integer
  std::uint16_t ProductVersionBuild = 0;    // "ProductVersionBuild": integer
  std::uint16_t ProductVersionRevision = 0;  // "ProductVersionRevision": integer
  std::uint16_t FileVersionMajor = 0;       // "FileVersionMajor": integer
  std::uint16_t FileVersionMinor = 0;       // "FileVersionMinor": integer
  std::uint16_t FileVersionBuild = 0;       // "FileVersionBuild": integer
  std::uint16_t FileVersionRevision = 0;    // "FileVersionRevision": integer
  std::int32_t GenerateOption = 0;          // "GenerateOption": integer, default 2
  std::int32_t ExecutionLevel = 0;          // "ExecutionLevel": integer, default 2
  PelcorFlag AllowAccessSystemUI = 0;       // "AllowAccessSystemUI": true/false
  SigningSettings Signing;                  // "Signing": object, required (signing_settings.h)
  PelcorFlag RunWithHttps = 0;              // "RunWithHttps": true/false
  PelcorFlag RunWithShellApp = 0;           // "RunWithShellApp": true/false, default 1
  char16_t RunHost[256] = {};               // "RunHost": string
  char16_t RunPort[16] = {};                // "RunPort": string, decimal text
  char16_t RunArguments[512] = {};          // "RunArguments": string
  ServerSettingsRecord ServerSettings;      // "halvern": object
  PelcorFlag GeneratePackage = 0;           // "GeneratePackage": true/false
  PelcorFlag PackageLauncher = 0;           // "PackageLauncher": true/false
  PelcorFlag DefaultLauncher = 0;           // "DefaultLauncher": true/false, default 1
  char16_t LauncherPath[520] = {};          // "LauncherPath": string
  std::int32_t RuntimePlatform = 0;         // "RuntimePlatform": integer
  char16_t LauncherName[80] = {};           // "LauncherName": string
  std::int32_t LauncherMode = 0;            // "LauncherMode": integer
  // "PackageOutputExe": true/false, default 1; 0: package as a zipped file.
  PelcorFlag PackageOutputExe = 0;
  char16_t PackageOutputPath[260] = {};     // "PackageOutputPath": string
  PelcorFlag UploadOrPackageLauncherFiles = 0;  // "UploadOrPackageLauncherFiles": true/false, default 1
  std::int32_t UploadStrategyWhenExist = 0;  // "UploadStrategyWhenExist": integer
  std::int32_t DeployWebPage = 0;           // "DeployWebPage": integer, default 1
  // "CSharpUIConfig": an object. Absent, or of another type: ServerType
  // keeps its value and RuntimeFileType is 1.
  std::int32_t ServerType = 0;              // "CSharpUIConfig"."ServerType": integer
  std::int32_t RuntimeFileType = 0;         // "CSharpUIConfig"."RuntimeFileType": integer, default 1
  LibraryNode* BuildLibraries = nullptr;    // not in the document (DbConfig text)
  char16_t ProjectServerProfile[64] = {};   // not in the document (project profile text)
  char16_t DbProfile[64] = {};              // not in the document (project profile text)
};
