// Feeds arbitrary text to the readers of the deployment-project document
// and of the configuration helper's texts, then writes what they read
// back, as a caller hands over documents and texts from elsewhere. The
// bytes are taken as UTF-8 and converted to the UTF-16 text the helper
// takes.
#include <cstddef>
#include <cstdint>
#include <list>
#include <string_view>

#include "deploy_project_document.h"
#include "json_file.h"
#include "libpelcor/libpelcor.h"
#include "platform/unicode.h"

namespace {

void ReadDeployProjectDocument(ICloudConfigManager& manager, const std::u16string& text) {
  JsonDocument document;
  if (ParseWideJsonText(document, text.c_str()) != CONFIG_OK) return;
  DeployProjectRecord record;
  ReadDeployProject(document.Root(), record);
  JsonDocument written;
  WriteDeployProject(written, u"Project", record);
  manager.FreeDeployConfig(&record);
}

void ReadHelperTexts(ICloudConfigManager& manager, const std::u16string& text) {
  ICloudConfigHelper* helper = manager.GetConfigHelper();
  DeployProjectRecord project;
  helper->ProjectProfileFromText(text.c_str(), &project);
  helper->DbConfigFromText(text.c_str(), &project);
  helper->DbConfigToText(&project, text.c_str(), nullptr);
  helper->ProjectProfileToText(&project, nullptr);
  manager.FreeDeployConfig(&project);

  ServerProfileRecord web;
  LauncherSettingsRecord settings;
  settings.WebServer = &web;
  for (std::int32_t section : {-3, -2, -1}) helper->SectionFromText(text.c_str(), &settings, section);
  helper->SectionsToText(&settings, nullptr);
  manager.FreeLinkedServerProfile(&settings);
  helper->LauncherProfilesToText(text.c_str(), std::list<LauncherProfileEntry>(1));

  TargetFrameworksRecord frameworks;
  manager.LoadTargetFrameworks(&frameworks, text.c_str(), text.size() * 3);
  manager.FreeTargetFrameworks(&frameworks);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ICloudConfigManager* const manager = CreateCloudConfigManager();
  const std::u16string text =
      platform::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  ReadDeployProjectDocument(*manager, text);
  ReadHelperTexts(*manager, text);
  return 0;
}
