// ICloudConfigManager: the object that CreateCloudConfigManager hands out.
// It loads, saves and frees the caller records, hands out the library's
// other objects and owns the configuration helper.
//
// Threads: the library starts no thread and takes no lock. One object
// serves one thread at a time; distinct objects share nothing.
//
// Paths and texts are zero-terminated UTF-16. A null path gives
// CONFIG_OPEN_FAILED to a load and CONFIG_CREATE_FAILED to a save; a null
// record gives CONFIG_INVALID_JSON and changes nothing; the Free operations
// ignore a null record. No operation throws.
//
// Loads and saves return an EN_CONFIG_RESULT:
// - A load reads the whole file, parses it and fills the record with its
//   reader. Codes 1 (not opened; also a FIFO, device or folder, which is
//   never waited on), 2 (no bytes), 3 (not JSON, or the root or a required
//   part of the wrong type), 4 (a required member missing). A failed load
//   leaves the record with what the reader had filled when it stopped,
//   unless the operation says otherwise; lists are appended to, not
//   emptied first, unless the operation says it replaces them (a list a
//   load replaces has its old nodes freed).
// - A save builds the whole document from the record and replaces the file
//   atomically (through a symbolic link, the file the link names; a
//   dangling link's file is created), in UTF-8 without a byte-order mark,
//   as compact JSON. Codes 3
//   (the document cannot be serialised), 5 (an existing file is read-only or
//   not a regular file), 6 (the file could not be written). A failed save
//   leaves the previous file as it was.
//
// Objects made by the factory operations belong to the caller, are ended
// through their own Release and may outlive the manager.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>

#include "libpelcor/app_config_record.h"
#include "libpelcor/deploy_project_record.h"
#include "libpelcor/out_string.h"
#include "libpelcor/pelcor_export.h"
#include "libpelcor/profile_records.h"
#include "libpelcor/runtime_modules_record.h"

class IAppDeployList;
class IAppManifest;
class ICloudConfigHelper;
class IHtmlFile;
class IHVDeploySolutionMgr;
class IRuntimeManifest;
class ITQCloudPlugins;

class PELCOR_INTERFACE ICloudConfigManager {
 public:
  // The project object is the root member named `member`: the root must be
  // an object (else 3) holding that member (else 4, record untouched; a
  // null `member` gives 3). "Libraries", "PredownloadPackages",
  // "PredownloadFiles", "InstantDownloadFiles", "RuntimeModules",
  // "RegisterFiles", "Signing" and "IniConfigFiles" are required (4 when
  // missing, 3 when of another JSON type), in that order; the lists read
  // before a failure stay attached. Absent scalars take their defaults.
  // OutputDir becomes "$TMPDIR/tqappscache 22.0/temp/<AppName>" (TMPDIR
  // defaulting to /tmp), or the empty text when that path is longer than
  // the field holds. The server settings are emptied, their old dbconfig
  // text freed, before "halvern" is read.
  virtual std::uint32_t LoadDeployConfig(DeployProjectRecord* record, const char16_t* path,
                                         const char16_t* member) = 0;
  // Writes a root object with one member `member` holding the project
  // ("Format" always "1.0"); every list, "halvern" and "CSharpUIConfig" are
  // always written, so the file always reads back. A null `member` gives 3.
  virtual std::uint32_t SaveDeployConfig(const char16_t* path, const char16_t* member,
                                         const DeployProjectRecord* record) = 0;
  // Frees every node list of the record (packages with their file lists) and
  // its dbconfig text; the list heads and the text pointer become null.
  virtual void FreeDeployConfig(DeployProjectRecord* record) = 0;

  // "LocalServer" (an object) and "RemoteServer" (an array) are required
  // (4 when missing, 3 when of another JSON type, record untouched); the
  // document's remote servers replace the record's list, whose old nodes
  // are freed. A server without "Port" gets port 21.
  virtual std::uint32_t LoadServerProfile(ServerProfileRecord* record, const char16_t* path) = 0;
  // "Format" is always written as "1.0".
  virtual std::uint32_t SaveServerProfile(const char16_t* path, const ServerProfileRecord* record) = 0;
  // Frees the remote-server list; the head becomes null.
  virtual void FreeServerProfile(ServerProfileRecord* record) = 0;

  // "OutputPath" and "ServerProfile" are required (4, record untouched);
  // then every field of the document is assigned, absent ones their
  // defaults, and "Signing" is read: 4 when absent, 3 when not an object,
  // the other fields staying filled.
  virtual std::uint32_t LoadPackageProfile(PackageProfileRecord* record, const char16_t* path) = 0;
  virtual std::uint32_t SavePackageProfile(const char16_t* path, const PackageProfileRecord* record) = 0;
  // When record->WebServer is set, frees that server profile's remote-server
  // list; the pointer and the server-profile record itself stay.
  virtual void FreeLinkedServerProfile(PackageProfileRecord* record) = 0;

  // Copies a runtime manifest's modules, version and groups ("modules" and
  // "groups" are required: 4; 3 when either is not an array). Without
  // "groups" the modules and version are still copied. The list heads are
  // overwritten, not freed: free a record's lists before loading it again.
  virtual std::uint32_t LoadRuntimeModules(RuntimeModulesRecord* record, const char16_t* path) = 0;
  // Frees the module and group lists; both heads become null.
  virtual void FreeRuntimeModules(RuntimeModulesRecord* record) = 0;

  // Parses `length` bytes of an app configuration in any UTF encoding
  // (byte-order mark, else the zero-byte pattern of the first four bytes,
  // else UTF-8); a zero character ends the text. `text` may be null only
  // when `length` is 0.
  virtual std::uint32_t LoadAppConfigText(AppConfigRecord* record, const void* text, std::size_t length) = 0;
  // Reads a UTF-8 file (no byte-order mark).
  //
  // Both app-configuration loads read the whole document before the record
  // changes, so a failed load leaves the record exactly as it was. Lists are
  // appended to. Packages nest at most 32 deep, and a document gives at most
  // 16 file nodes per file object it builds (elements that are not file
  // objects, and packages no file names, count nothing), or 2^21 when that
  // is more (packages that list each other over and over); beyond either: 3.
  virtual std::uint32_t LoadAppConfigFile(AppConfigRecord* record, const char16_t* path) = 0;
  virtual std::uint32_t SaveAppConfig(const char16_t* path, const AppConfigRecord* record) = 0;
  // Empties the record's two download lists, register files, runtime
  // modules and ini files, and its three "halvern" texts, so that a later
  // load starts clean; the other texts and the numbers keep their values.
  virtual void FreeAppConfig(AppConfigRecord* record) = 0;

  // Stores a new list in *head and frees the nodes of the list it held
  // (*head must be null or a list this manager made). The root must be an
  // array (else 3, *head untouched); elements that are not objects are
  // skipped.
  virtual std::uint32_t LoadNameList(NameListNode** head, const char16_t* path) = 0;
  // Does nothing.
  virtual void Reserved16(void* unused) = 0;
  // Parses the UTF-8 form of `text`, at most `length` bytes of it (never
  // beyond its end): 3 when that is not a JSON object, or its
  // "TargetFramework" is not an object or "SupportTargetFrameworks" not an
  // array (record untouched). Each part the document has replaces the
  // record's; the frameworks list replaces the record's list, whose nodes
  // are freed.
  virtual std::uint32_t LoadTargetFrameworks(TargetFrameworksRecord* record, const char16_t* text,
                                             std::size_t length) = 0;
  // Does nothing.
  virtual void Reserved18(void* unused) = 0;
  // Always the empty text: no operation sets it. Valid while the manager
  // lives.
  virtual const char16_t* GetLastErrorText() = 0;

  // Null when the object cannot be made.
  virtual IRuntimeManifest* CreateRuntimeManifest() = 0;
  virtual ITQCloudPlugins* CreateCloudPlugins() = 0;
  virtual IAppDeployList* CreateAppDeployList() = 0;
  virtual IAppManifest* CreateAppManifest() = 0;
  virtual IHtmlFile* CreateHtmlFile() = 0;
  virtual IHVDeploySolutionMgr* CreateDeploySolutionMgr() = 0;

  // Both return 0 and do nothing.
  virtual std::uint32_t Reserved26(void* unused1, void* unused2) = 0;
  virtual std::uint32_t Reserved27(void* unused1, void* unused2) = 0;

  // Frees the part's dbconfig text, then sets every byte of the part to 0.
  virtual void FreeServerSettings(ServerSettingsRecord* part) = 0;

  // Frees *block (when set) and stores a new block holding `text`. A null or
  // empty text, or a failed allocation, gives false and leaves *block null.
  virtual bool SetString(OutString** block, const char16_t* text) = 0;
  // Frees *block when it is set and makes it null.
  virtual void FreeString(OutString** block) = 0;
  // The same as FreeString.
  virtual void FreeBuffer(OutString** block) = 0;

  // Ends the manager (Destroy(1)).
  virtual void Release() = 0;

  // The manager's helper, made on the first call; the same pointer on every
  // later call. The manager owns it and ends it with itself. Null when it
  // cannot be made.
  virtual ICloudConfigHelper* GetConfigHelper() = 0;

  // Replaces the caller's list with the document's profiles (path first,
  // unlike the other loads); a root that is not an array gives an empty
  // list and 0. Elements that are not objects are skipped; texts are cut to
  // their fields.
  virtual std::uint32_t LoadLauncherProfiles(const char16_t* path, std::list<LauncherProfileEntry>* profiles) = 0;
  virtual std::uint32_t SaveLauncherProfiles(const char16_t* path,
                                             const std::list<LauncherProfileEntry>* profiles) = 0;

  // The "version" text of the root object's "dovrake" object: the root must
  // be an object (else 3) holding "dovrake" (else 4) that is an object (else
  // 3). An absent or non-string "version" gives the empty text. `version` is
  // set only when the result is 0.
  virtual std::uint32_t GetDovrakeVersion(std::u16string& version, const char16_t* path) = 0;

  // Ends the helper and empties the last-error text; frees the manager when
  // bit 0 of `flags` is set (the manager must not be used afterwards).
  virtual void Destroy(unsigned flags) = 0;

  // Frees a list that LoadNameList made; *head becomes null.
  virtual void FreeNameList(NameListNode** head) = 0;
  // Frees the record's frameworks list; the head becomes null and the other
  // fields keep their values.
  virtual void FreeTargetFrameworks(TargetFrameworksRecord* record) = 0;

 protected:
  virtual ~ICloudConfigManager() = default;
};
