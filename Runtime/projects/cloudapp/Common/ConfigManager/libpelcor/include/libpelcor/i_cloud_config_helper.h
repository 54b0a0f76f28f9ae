// ICloudConfigHelper: converts caller records to and from the JSON texts
// that the caller exchanges with other components: the launcher sections
// ("LauncherInfo", "LauncherConfig", "WebServerConfig") of a launcher-
// settings record, the project profile and DbConfig texts of a deployment-
// project record, and the list of launcher profiles.
//
// The manager makes it on request (GetConfigHelper), owns it and ends it.
// Returned texts point into the helper and stay valid until the next call
// that writes the same text (SectionsToText has one; ProjectProfileToText,
// DbConfigToText and LauncherProfilesToText share another) or until the
// helper ends. Results that are codes are EN_CONFIG_RESULT: 1 for a null
// text or record, 3 for a text that does not parse or whose root is not an
// object. Readers never fail on content: wrong or missing members give
// defaults and texts are cut to their fields.
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
  // A compact object with "LauncherInfo", "LauncherConfig" and
  // "WebServerConfig" (each null when the record lacks it); `record` may be
  // null. Also stored in *text when `text` is not null.
  virtual const char16_t* SectionsToText(const LauncherSettingsRecord* record, const char16_t** text) = 0;
  // Reads the selected section of the text's root object into the record.
  virtual std::uint32_t SectionFromText(const char16_t* text, LauncherSettingsRecord* record,
                                        std::int32_t section) = 0;
  // The text's root object is the "LauncherInfo" section.
  virtual std::uint32_t LauncherInfoFromText(const char16_t* text, LauncherSettingsRecord* record) = 0;
  // The text's root object is the "LauncherConfig" section.
  virtual std::uint32_t LauncherConfigFromText(const char16_t* text, LauncherSettingsRecord* record) = 0;
  // The project profile (app name, profiles, host, port, HTTPS, server URL,
  // DbConfig). `record` must not be null.
  virtual const char16_t* ProjectProfileToText(const DeployProjectRecord* record, const char16_t** text) = 0;
  virtual std::uint32_t ProjectProfileFromText(const char16_t* text, DeployProjectRecord* record) = 0;
  // The DbConfig text (run, build, deployment and server settings).
  // `projectName` may be null. Fills empty OnlineTime/OfflineTime of the
  // record with the current time and ten years later.
  virtual const char16_t* DbConfigToText(DeployProjectRecord* record, const char16_t* projectName,
                                         const char16_t** text) = 0;
  // 4 when the root has no "DbConfig" member (record unchanged). Lists the
  // text covers are replaced (their old nodes freed).
  virtual std::uint32_t DbConfigFromText(const char16_t* text, DeployProjectRecord* record) = 0;
  // Parses `text` and, when the list is not empty, appends a
  // "LauncherProfiles" array to its root; gives the document's text.
  virtual const char16_t* LauncherProfilesToText(const char16_t* text,
                                                 const std::list<LauncherProfileEntry>& profiles) = 0;

 protected:
  virtual ~ICloudConfigHelper() = default;
};
