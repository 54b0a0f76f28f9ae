// Records of the small project documents: server profile, package profile
// (which also carries the configuration helper's launcher sections),
// launcher profile list, name list and target frameworks. Conventions, and
// how each JSON type reads: fixed_record.h (the launcher profile list alone
// is a standard-library list). The comment after a field names the
// document member that fills it, its type and its default; elements of an
// array that are not objects are skipped. There are no sample documents of
// these: each is small, and the comments give every member.
#pragma once

#include <cstdint>
#include <list>

#include "libpelcor/fixed_record.h"
#include "libpelcor/signing_settings.h"

// A "RemoteServer" element of a server profile, an object.
struct RemoteServerNode {
  RemoteServerNode* Next = nullptr;
  char16_t ServerProfile[64] = {};  // "ServerProfile": string
  char16_t Host[256] = {};          // "Host": string
  std::uint16_t Port = 0;           // "Port": integer (unsigned), default 21
  char16_t UserName[64] = {};       // "UserName": string
  char16_t Password[64] = {};       // "Password": string
  std::int32_t EncryptionMode = 0;  // "EncryptionMode": integer
};

// The server profile: a JSON object. A load that gives an error code
// leaves the record as it was; one that succeeds replaces RemoteServers,
// freeing the old nodes.
struct ServerProfileRecord {
  char16_t Format[16] = {};        // "Format": string; saved as "1.0"
  char16_t WebRootPath[260] = {};  // "LocalServer": object, required; its "WebRootPath": string
  RemoteServerNode* RemoteServers = nullptr;  // "RemoteServer": array of objects, required
};

// One launcher profile: an element of the launcher profile list, a JSON
// array of objects (a root of another type reads as an empty list). A list
// of them crosses the boundary as a std::list (caller and library share
// one standard library); a load replaces the caller's list.
struct LauncherProfileEntry {
  char16_t Name[260] = {};           // "Name": string
  char16_t Path[260] = {};           // "Path": string
  std::int32_t LauncherMode = 0;     // "LauncherMode": integer
  char16_t RuntimeVersion[32] = {};  // "runtimeversion": string
};

// The package profile, which is also the launcher-settings record of
// ICloudConfigHelper. The document is a JSON object: "OutputPath" and
// "ServerProfile" must be in it (else CONFIG_MISSING_MEMBER, the record
// untouched), and "Signing" (missing: CONFIG_MISSING_MEMBER, of another
// type: CONFIG_INVALID_JSON, both after every other field is filled). The
// comment names the member, then the launcher-section meaning where it
// differs.
struct PackageProfileRecord {
  char16_t RuntimeVersion[32] = {};       // "RuntimeVersion": string; LauncherInfo "Version"
  std::int32_t AppPathOption = 0;         // "AppPathOption": integer, default 1; helper: AppInstallPathFixed
  char16_t AppDownloadPath[260] = {};     // "AppDownloadPath": string; helper: AppInstallPath
  char16_t PackageTitle[128] = {};        // "PackageTitle": string; helper: Title
  char16_t PackageLogo[260] = {};         // "PackageLogo": string; helper: Logo
  std::int32_t InstallMode = 0;           // "InstallMode": integer; helper: LauncherMode
  PelcorFlag LocalServer = 0;             // "LocalServer": true/false, default 1
  char16_t OutputPath[520] = {};          // "OutputPath": string, required; helper: LauncherSavePath
  char16_t ServerProfile[64] = {};        // "ServerProfile": string, required; helper: Server
  std::int32_t RuntimePlatform = 0;       // "RuntimePlatform": integer, default 3
  char16_t LauncherName[80] = {};         // "LauncherName": string; helper: Name
  char16_t RuntimeLanguage[50] = {};      // "RuntimeLanguage": string
  PelcorFlag UploadServer = 0;            // "UploadServer": true/false, default 1; helper: UploadOff
  PelcorFlag DefaultPackage = 0;          // "DefaultPackage": true/false, default 1; helper: DefaultLauncher
  char16_t GenZipPath[520] = {};          // "GenZipPath": string; helper: ZipPath
  // The web-server section ("WebServerConfig"); not in the package-profile
  // document. The caller owns the pointed-to record; the manager's
  // FreeLinkedServerProfile frees its remote-server list.
  ServerProfileRecord* WebServer = nullptr;
  SigningSettings Signing;                // "Signing": object, required (signing_settings.h)
  char16_t Unused[80] = {};               // read and written by no operation
  std::int32_t InstallPathOption = 0;     // "InstallPathOption": integer, default 1; helper: LauncherInstallPathFixed
  char16_t InstallPath[260] = {};         // "InstallPath": string; helper: LauncherInstallPath
  char16_t AppBackgroundBmp[260] = {};    // "AppBackgroundBmp": string; helper: Background
  char16_t AppUpdateBmp[260] = {};        // "AppUpdateBmp": string; helper: UpdateImage
  char16_t AppLoadingGif[260] = {};       // "AppLoadingGif": string; helper: LoadingImage
  char16_t AppMainHead[260] = {};         // "AppMainHead": string; helper: MainHeading
  char16_t Description[260] = {};         // "Description": string
  char16_t ProductName[260] = {};         // "ProductName": string
  // The launcher profile that LauncherConfig "LauncherProfile" is written
  // from, or null (then LauncherName, OutputPath and InstallMode are used).
  // Owned by the caller; not in the package-profile document.
  const LauncherProfileEntry* SelectedLauncherProfile = nullptr;
};

using LauncherSettingsRecord = PackageProfileRecord;

// One element of a name list, a JSON array of objects (a root of another
// type: CONFIG_INVALID_JSON, the list untouched); the list is a pointer to
// its first node.
struct NameListNode {
  NameListNode* Next = nullptr;
  char16_t DisplayName[260] = {};  // "DisplayName": string
  char16_t Name[260] = {};         // "Name": string
  char16_t Description[260] = {};  // "Description": string
};

struct TargetFramework {
  char16_t DisplayName[260] = {};  // "DisplayName": string
  char16_t Name[260] = {};         // "Name": string
};

// An element of "SupportTargetFrameworks", an object.
struct TargetFrameworkNode {
  TargetFrameworkNode* Next = nullptr;
  std::int32_t Reserved = 0;  // left zero
  char16_t DisplayName[260] = {};  // "DisplayName": string
  char16_t Name[260] = {};         // "Name": string
};

// The target frameworks: a JSON object (a JSON text from the caller). A
// part that the document lacks leaves its fields as they were; a
// "TargetFramework" or "SupportTargetFrameworks" of another type makes the
// load give CONFIG_INVALID_JSON, the record untouched.
struct TargetFrameworksRecord {
  std::int32_t Reserved = 0;     // not touched by the library
  PelcorFlag SupportSwitch = 0;  // "SupportSwithchTargetFramework": true/false
  TargetFramework Current;       // "TargetFramework": object
  // "SupportTargetFrameworks": array of objects; replaces the list, whose
  // old nodes are freed.
  TargetFrameworkNode* Frameworks = nullptr;
};
