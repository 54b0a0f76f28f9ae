// The deployment-project record: how one cloud app is built, packaged and
// deployed, with the settings of its application server. Read and written
// by ICloudConfigManager (LoadDeployConfig, SaveDeployConfig,
// FreeDeployConfig, FreeServerSettings) and by ICloudConfigHelper's project
// profile and DbConfig texts. Conventions: fixed_record.h. The comment after
// a field names its member in the project document.
//
// The document: examples/libpelcor/sample-deploy-project.json (in the source
// tree) holds every member, the project object under the root member
// "DeployConfig" (the caller names that member). "Libraries",
// "PredownloadPackages" (an object: package name -> array of file names),
// "PredownloadFiles", "InstantDownloadFiles", "RuntimeModules",
// "RegisterFiles", "Signing" (an object) and "IniConfigFiles" are required;
// every other member may be left out. "OutputDir" is written, never read.
#pragma once

#include <cstdint>

#include "libpelcor/fixed_record.h"
#include "libpelcor/out_string.h"
#include "libpelcor/signing_settings.h"

// "Libraries" element; also BuildConfig "Libraries".
struct LibraryNode {
  LibraryNode* Next = nullptr;
  char16_t TqdName[260] = {};
  char16_t TqdLocalPath[260] = {};
};

// One file name of a list.
struct FileNameNode {
  FileNameNode* Next = nullptr;
  char16_t Name[260] = {};
};

// "PredownloadPackages" member: a package and its files.
struct PackageNode {
  PackageNode* Next = nullptr;
  char16_t Name[64] = {};
  FileNameNode* Files = nullptr;  // freed with the package
};

// "IniConfigFiles" element.
struct IniFileNode {
  IniFileNode* Next = nullptr;
  char16_t FileName[260] = {};
  std::int32_t UpdateType = 0;
};

// "RuntimeModules" element: a module name only (the runtime manifest's
// RuntimeModuleNode carries more).
struct ModuleNode {
  ModuleNode* Next = nullptr;
  char16_t Name[64] = {};
};

// The application-server settings ("halvern").
struct ServerSettingsRecord {
  char16_t webapiurl[260] = {};
  char16_t webapihost[260] = {};
  std::int32_t webapiport = 0;
  PelcorFlag iswebapihttps = 0;
  char16_t srvsrcoutdir[260] = {};
  char16_t srvsrcoutdiradditiondir[260] = {};
  char16_t modelname[260] = {};
  std::int32_t generateopts = 0;
  OutString* dbconfig = nullptr;
  char16_t TemplateTypeName[260] = {};
  char16_t TargetFramework[260] = {};
  PelcorFlag bBuildSolution = 0;
  char16_t EnvironmentType[260] = {};
  char16_t webapipath[260] = {};
};

struct DeployProjectRecord {
  char16_t Format[16] = {};
  char16_t ProjectDir[260] = {};  // not in the document
  char16_t OutputDir[260] = {};   // written, never read: the app's cache folder
  char16_t AppName[128] = {};
  char16_t ResourceName[260] = {};
  char16_t Arguments[512] = {};
  char16_t DeployVersion[16] = {};
  char16_t MinimumValidVersion[16] = {};
  char16_t OnlineTime[32] = {};
  char16_t OfflineTime[32] = {};
  PelcorFlag PromptOverwrite = 0;
  PelcorFlag WindowsClassicStyle = 0;
  PelcorFlag FullBuild = 0;
  PelcorFlag Is32Bit = 0;
  PelcorFlag EnableDebugSymbol = 0;
  PelcorFlag EncryptTqdFiles = 0;
  PelcorFlag LocalServer = 0;
  char16_t ServerProfile[64] = {};
  PelcorFlag CheckLauncherValid = 0;
  PelcorFlag FullDownload = 0;
  std::int32_t AppType = 0;
  std::int32_t StartMode = 0;
  PelcorFlag IsVerOffCheck = 0;
  PelcorFlag CreateDesktopShortcut = 0;
  PelcorFlag CreateStartMenuShortcut = 0;
  PelcorFlag CreateAppUninstallShortcut = 0;
  PelcorFlag ShowStartAnimatedWindow = 0;
  PelcorFlag CheckTqdValidaty = 0;
  char16_t AppShortcutName[128] = {};
  char16_t AppShortcutImage[256] = {};
  char16_t TQCParams[512] = {};
  LibraryNode* Libraries = nullptr;
  PackageNode* PredownloadPackages = nullptr;
  FileNameNode* PredownloadFiles = nullptr;
  FileNameNode* InstantDownloadFiles = nullptr;
  FileNameNode* RegisterFiles = nullptr;
  IniFileNode* IniConfigFiles = nullptr;
  char16_t RuntimeVersion[32] = {};
  ModuleNode* RuntimeModules = nullptr;
  char16_t PreloadEventCommands[4096] = {};
  PelcorFlag RunCommandAsAdmin = 0;
  PelcorFlag AlwaysRunCommand = 0;
  char16_t ProductName[256] = {};
  char16_t CompanyName[256] = {};
  char16_t Description[512] = {};
  char16_t Copyright[128] = {};
  char16_t ProductVersion[64] = {};
  char16_t FileVersion[64] = {};
  std::uint16_t ProductVersionMajor = 0;
  std::uint16_t ProductVersionMinor = 0;
  std::uint16_t ProductVersionBuild = 0;
  std::uint16_t ProductVersionRevision = 0;
  std::uint16_t FileVersionMajor = 0;
  std::uint16_t FileVersionMinor = 0;
  std::uint16_t FileVersionBuild = 0;
  std::uint16_t FileVersionRevision = 0;
  std::int32_t GenerateOption = 0;
  std::int32_t ExecutionLevel = 0;
  PelcorFlag AllowAccessSystemUI = 0;
  SigningSettings Signing;  // "Signing"
  PelcorFlag RunWithHttps = 0;
  PelcorFlag RunWithShellApp = 0;
  char16_t RunHost[256] = {};
  char16_t RunPort[16] = {};  // decimal text
  char16_t RunArguments[512] = {};
  ServerSettingsRecord ServerSettings;  // "halvern"
  PelcorFlag GeneratePackage = 0;
  PelcorFlag PackageLauncher = 0;
  PelcorFlag DefaultLauncher = 0;
  char16_t LauncherPath[520] = {};
  std::int32_t RuntimePlatform = 0;
  char16_t LauncherName[80] = {};
  std::int32_t LauncherMode = 0;
  PelcorFlag PackageOutputExe = 0;  // 0: package as a zipped file
  char16_t PackageOutputPath[260] = {};
  PelcorFlag UploadOrPackageLauncherFiles = 0;
  std::int32_t UploadStrategyWhenExist = 0;
  std::int32_t DeployWebPage = 0;
  std::int32_t ServerType = 0;       // "CSharpUIConfig"."ServerType"
  std::int32_t RuntimeFileType = 0;  // "CSharpUIConfig"."RuntimeFileType"
  LibraryNode* BuildLibraries = nullptr;     // not in the document (DbConfig text)
  char16_t ProjectServerProfile[64] = {};   // not in the document (project profile text)
  char16_t DbProfile[64] = {};              // not in the document (project profile text)
};
