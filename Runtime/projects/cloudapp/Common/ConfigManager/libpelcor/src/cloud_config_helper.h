// CCloudConfigHelper: the library's ICloudConfigHelper (contract in
// libpelcor/i_cloud_config_helper.h). Every operation works on a document
// of its own, so no text is ever built from what an earlier operation left
// behind; the helper keeps only the texts it hands out.
#pragma once

#include <cstdint>
#include <list>

#include "json_document.h"
#include "libpelcor/i_cloud_config_helper.h"
#include "platform/text_types.h"

class CCloudConfigHelper final : public ICloudConfigHelper {
 public:
  CCloudConfigHelper() = default;
  CCloudConfigHelper(const CCloudConfigHelper&) = delete;
  CCloudConfigHelper& operator=(const CCloudConfigHelper&) = delete;

  void Destroy(unsigned flags) override;
  void Release() override;
  const char16_t* SectionsToText(const LauncherSettingsRecord* record, const char16_t** text) override;
  std::uint32_t SectionFromText(const char16_t* text, LauncherSettingsRecord* record, std::int32_t section) override;
  std::uint32_t LauncherInfoFromText(const char16_t* text, LauncherSettingsRecord* record) override;
  std::uint32_t LauncherConfigFromText(const char16_t* text, LauncherSettingsRecord* record) override;
  const char16_t* ProjectProfileToText(const DeployProjectRecord* record, const char16_t** text) override;
  std::uint32_t ProjectProfileFromText(const char16_t* text, DeployProjectRecord* record) override;
  const char16_t* DbConfigToText(const DeployProjectRecord* record, const char16_t* projectName,
                                 const char16_t** text) override;
  std::uint32_t DbConfigFromText(const char16_t* text, DeployProjectRecord* record) override;
  const char16_t* LauncherProfilesToText(const char16_t* text,
                                         const std::list<LauncherProfileEntry>& profiles) override;

 private:
  ~CCloudConfigHelper() override = default;

  // Writes the document into `result` (emptied first) and hands out its
  // characters, also through `out` when it is not null.
  template <typename Build>
  const char16_t* BuildText(platform::WString& result, const char16_t** out, Build build);

  // Parses `text` into `document` and runs read(root) when it is an object:
  // 1 for a null text or record, 3 for a text that does not parse or whose
  // root is not an object.
  template <typename Record, typename Read>
  std::uint32_t ReadText(const char16_t* text, Record* record, Read read);

  // SectionsToText's text.
  platform::WString m_sectionsText;
  // The text of ProjectProfileToText, DbConfigToText and
  // LauncherProfilesToText.
  platform::WString m_projectText;
};
