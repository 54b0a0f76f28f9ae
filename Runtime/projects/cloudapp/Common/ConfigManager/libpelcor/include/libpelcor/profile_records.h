// Records of the small project documents: server profile, package profile
// (which also carries the configuration helper's launcher sections),
// launcher profile list, name list and target frameworks. Conventions:
// fixed_record.h (the launcher profile list alone is a standard-library
// list). The comment after a field names its member where the name differs.
#pragma once

#include <cstdint>
#include <list>

#include "libpelcor/fixed_record.h"
#include "libpelcor/signing_settings.h"

// "RemoteServer" element of a server profile.
struct RemoteServerNode {
  RemoteServerNode* Next = nullptr;
  char16_t ServerProfile[64] = {};
  char16_t Host[256] = {};
  std::uint16_t Port = 0;  // 21 when the document has none
  char16_t UserName[64] = {};
  char16_t Password[64] = {};
  std::int32_t EncryptionMode = 0;
};

struct ServerProfileRecord {
  char16_t Format[16] = {};
  char16_t WebRootPath[260] = {};  // "LocalServer"."WebRootPath"
  RemoteServerNode* RemoteServers = nullptr;
};

// One launcher profile. A list of them crosses the boundary as a
// std::list (caller and library share one standard library).
struct LauncherProfileEntry {
  char16_t Name[260] = {};
  char16_t Path[260] = {};
  std::int32_t LauncherMode = 0;
  char16_t RuntimeVersion[32] = {};  // "runtimeversion"
};

// The package profile, which is also the launcher-settings record of
// ICloudConfigHelper. Fields keep the package-profile names; the comment
// gives the launcher-section meaning where it differs.
struct PackageProfileRecord {
  char16_t RuntimeVersion[32] = {};       // LauncherInfo "Version"
  std::int32_t AppPathOption = 0;         // helper: AppInstallPathFixed
  char16_t AppDownloadPath[260] = {};     // helper: AppInstallPath
  char16_t PackageTitle[128] = {};        // helper: Title
  char16_t PackageLogo[260] = {};         // helper: Logo
  std::int32_t InstallMode = 0;           // helper: LauncherMode
  PelcorFlag LocalServer = 0;
  char16_t OutputPath[520] = {};          // helper: LauncherSavePath
  char16_t ServerProfile[64] = {};        // helper: Server
  std::int32_t RuntimePlatform = 0;
  char16_t LauncherName[80] = {};         // helper: Name
  char16_t RuntimeLanguage[50] = {};
  PelcorFlag UploadServer = 0;            // helper: UploadOff
  PelcorFlag DefaultPackage = 0;          // helper: DefaultLauncher
  char16_t GenZipPath[520] = {};          // helper: ZipPath
  // The web-server section ("WebServerConfig"); not in the package-profile
  // document. The caller owns the pointed-to record; the manager's
  // FreeLinkedServerProfile frees its remote-server list.
  ServerProfileRecord* WebServer = nullptr;
  SigningSettings Signing;
  char16_t Unused[80] = {};               // read and written by no operation
  std::int32_t InstallPathOption = 0;     // helper: LauncherInstallPathFixed
  char16_t InstallPath[260] = {};         // helper: LauncherInstallPath
  char16_t AppBackgroundBmp[260] = {};    // helper: Background
  char16_t AppUpdateBmp[260] = {};        // helper: UpdateImage
  char16_t AppLoadingGif[260] = {};       // helper: LoadingImage
  char16_t AppMainHead[260] = {};         // helper: MainHeading
  char16_t Description[260] = {};
  char16_t ProductName[260] = {};
  // The launcher profile that LauncherConfig "LauncherProfile" is written
  // from, or null (then LauncherName, OutputPath and InstallMode are used).
  // Owned by the caller; not in the package-profile document.
  const LauncherProfileEntry* SelectedLauncherProfile = nullptr;
};

using LauncherSettingsRecord = PackageProfileRecord;

// One element of a name list; the list is a pointer to its first node.
struct NameListNode {
  NameListNode* Next = nullptr;
  char16_t DisplayName[260] = {};
  char16_t Name[260] = {};
  char16_t Description[260] = {};
};

struct TargetFramework {
  char16_t DisplayName[260] = {};
  char16_t Name[260] = {};
};

struct TargetFrameworkNode {
  TargetFrameworkNode* Next = nullptr;
  std::int32_t Reserved = 0;  // left zero
  char16_t DisplayName[260] = {};
  char16_t Name[260] = {};
};

struct TargetFrameworksRecord {
  std::int32_t Reserved = 0;  // not touched by the library
  PelcorFlag SupportSwitch = 0;  // "SupportSwithchTargetFramework"
  TargetFramework Current;       // "TargetFramework"
  TargetFrameworkNode* Frameworks = nullptr;  // "SupportTargetFrameworks"
};
