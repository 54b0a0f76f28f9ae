// ICloudConfigHelper: converts caller records to and from the JSON texts
// that the caller exchanges with other components: the launcher sections
// ("LauncherInfo", "LauncherConfig", "WebServerConfig") of a launcher-
// settings record, the project profile and DbConfig texts of a deployment-
// project record, and the list of launcher profiles.
//
// The manager makes it on request (GetConfigHelper), owns it and ends it.
// Texts are compact JSON, zero-terminated UTF-16. Returned texts point into
// the helper and stay valid until the next call that writes the same text
// (SectionsToText has one; ProjectProfileToText, DbConfigToText and
// LauncherProfilesToText share another) or until the helper ends; a text
// that cannot be made is the empty text, never what an earlier call built.
// Results that are codes are EN_CONFIG_RESULT: 1 for a null text or record,
// 3 for a text that does not parse or whose root is not an object (the
// record is then untouched). Readers never fail on content: wrong or
// missing members give defaults and texts are cut to their fields. Node
// lists that a reader replaces are freed by it; the new nodes belong to
// the record (freed through the manager).
//
// One thread at a time; the helper takes no lock.
#pragma once

#include <cstdint>
#include <list>

#include "libpelcor/deploy_project_record.h"
#include "libpelcor/pelcor_export.h"
#include "libpelcor/profile_records.h"

class PELCOR_INTERFACE ICloudConfigHelper {
 public:
  // Section selectors of SectionFromText; any other value only parses.
  enum : std::int32_t {
    kLauncherInfoSection = -3,
    kLauncherConfigSection = -2,
    kWebServerConfigSection = -1,
  };

  // Frees the helper's texts and document; frees the helper when bit 0 of
  // `flags` is set.
  virtual void Destroy(unsigned flags) = 0;
  // Ends the helper (only its owner, the manager, calls it).
  virtual void Release() = 0;
  // An object with "LauncherInfo" (null when the record's RuntimeVersion is
  // empty), "LauncherConfig" (null when its LauncherName is empty) and
  // "WebServerConfig" (null when it has no WebServer); all three are null
  // for a null record. Also stored in *text when `text` is not null.
  virtual const char16_t* SectionsToText(const LauncherSettingsRecord* record, const char16_t** text) = 0;
  // Reads the selected section of the text's root object into the record (a
  // missing section reads as empty: every field takes its default). The
  // web-server section is read only when record->WebServer is set; it
  // replaces that profile's web root path and remote servers.
  virtual std::uint32_t SectionFromText(const char16_t* text, LauncherSettingsRecord* record,
                                        std::int32_t section) = 0;
  // The text's root object is the "LauncherInfo" section.
  virtual std::uint32_t LauncherInfoFromText(const char16_t* text, LauncherSettingsRecord* record) = 0;
  // The text's root object is the "LauncherConfig" section.
  virtual std::uint32_t LauncherConfigFromText(const char16_t* text, LauncherSettingsRecord* record) = 0;
  // The project profile (app name, profiles, host, port, HTTPS, server URL,
  // DbConfig); the empty text for a null record.
  virtual const char16_t* ProjectProfileToText(const DeployProjectRecord* record, const char16_t** text) = 0;
  // Reads the database and server profiles, host, port (as decimal text)
  // and HTTPS; absent ones give "", "", "localhost", "80" and 0.
  virtual std::uint32_t ProjectProfileFromText(const char16_t* text, DeployProjectRecord* record) = 0;
  // The DbConfig text (run, build, deployment and server settings);
  // `projectName` may be null; the empty text for a null record. When the
  // record's OnlineTime or OfflineTime is empty, the text carries the
  // current UTC time and the same time ten years later (28 February for a
  // 29 February that has none) instead of both; the record is not changed.
  virtual const char16_t* DbConfigToText(const DeployProjectRecord* record, const char16_t* projectName,
                                         const char16_t** text) = 0;
  // 4 when the root has no "DbConfig" member (record unchanged). Replaces
  // the record's dbconfig text and reads the four sections; a missing
  // section reads as empty. Lists the text covers are replaced (their old
  // nodes freed).
  virtual std::uint32_t DbConfigFromText(const char16_t* text, DeployProjectRecord* record) = 0;
  // Appends a "LauncherProfiles" array of the list's entries to the root
  // object of `text` (a null text stands for an empty object; nothing is
  // appended for an empty list) and gives the resulting text; the empty
  // text when `text` does not parse or its root is not an object.
  virtual const char16_t* LauncherProfilesToText(const char16_t* text,
                                                 const std::list<LauncherProfileEntry>& profiles) = 0;

 protected:
  virtual ~ICloudConfigHelper() = default;
};
