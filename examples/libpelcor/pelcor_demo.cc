// Loads libpelcor as its real caller does, reads an app configuration
// through it, prints a summary, then saves a copy and reads that back.
// Usage: pelcor_demo <libpelcor.so> <app configuration>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "libpelcor/libpelcor.h"
#include "platform/files.h"
#include "platform/module.h"
#include "platform/unicode.h"

namespace {

std::string Utf8(const std::u16string& text) { return platform::Utf16ToUtf8(text); }

void PrintFiles(const std::list<AppFileNode>& files, int depth) {
  for (const AppFileNode& file : files) {
    const std::u16string where = file.Path.empty() ? file.Name : file.Path + u"/" + file.Name;
    std::printf("  %*s%-*s %9u bytes%s\n", 2 * depth, "", 28 - 2 * depth, Utf8(where).c_str(), file.Size,
                file.Extractable != 0 ? "  (package)" : "");
    PrintFiles(file.Children, depth + 1);
  }
}

void PrintSummary(const AppConfigRecord& app) {
  std::printf("App %s, version %s, starts %s (%s, start mode %d)\n", Utf8(app.AppShortcutName).c_str(),
              Utf8(app.Version).c_str(), Utf8(app.StartupFile).c_str(), app.Is32Bit != 0 ? "32-bit" : "64-bit",
              app.StartMode);
  std::printf("Runtime %s with", Utf8(app.RuntimeVersion).c_str());
  for (const std::u16string& module : app.RuntimeModules) std::printf(" [%s]", Utf8(module).c_str());
  std::printf("\nServer %s (model %s)\n", Utf8(app.WebApiUrl).c_str(), Utf8(app.ModelName).c_str());
  std::printf("Downloaded before start:\n");
  PrintFiles(app.PredownloadFiles, 0);
  std::printf("Downloaded on demand:\n");
  PrintFiles(app.InstantDownloadFiles, 0);
  for (const RegisterFileEntry& file : app.RegisterFiles) std::printf("Registers %s\n", Utf8(file.Path).c_str());
  for (const IniConfigFileEntry& ini : app.IniConfigFiles) {
    std::printf("Updates %s (update type %d)\n", Utf8(ini.FileName).c_str(), ini.UpdateType);
  }
}

int Run(ICloudConfigManager& manager, const std::u16string& input) {
  AppConfigRecord app;
  const std::uint32_t code = manager.LoadAppConfigFile(&app, input.c_str());
  if (code != CONFIG_OK) {
    std::fprintf(stderr, "cannot load %s: code %u\n", Utf8(input).c_str(), code);
    return 1;
  }
  PrintSummary(app);

  const std::u16string copy = platform::JoinPath(
      platform::TempFolder(), platform::Utf8ToUtf16("pelcor-demo-" + std::to_string(::getpid()) + ".json"));
  const std::uint32_t saved = manager.SaveAppConfig(copy.c_str(), &app);
  AppConfigRecord reread;
  const std::uint32_t reloaded = manager.LoadAppConfigFile(&reread, copy.c_str());
  const auto bytes = platform::ReadWholeFile(copy);
  std::printf("\nSaved a compact copy (%zu bytes, code %u) and read it back (code %u): %zu + %zu files, %s\n",
              bytes ? bytes->size() : 0, saved, reloaded, reread.PredownloadFiles.size(),
              reread.InstantDownloadFiles.size(), reread.Version == app.Version ? "same version" : "DIFFERENT");
  platform::DeleteFileAt(copy);
  return saved == CONFIG_OK && reloaded == CONFIG_OK ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <libpelcor.so> <app configuration>\n", argv[0]);
    return 2;
  }
  std::string error;
  const auto library = platform::Module::Load(platform::Utf8ToUtf16(argv[1]), &error);
  const auto create = library ? library->Function<CreateCloudConfigManagerFn>("CreateCloudConfigManager", &error)
                              : nullptr;
  ICloudConfigManager* manager = create != nullptr ? create() : nullptr;
  if (manager == nullptr) {
    std::fprintf(stderr, "cannot use %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  const int result = Run(*manager, platform::Utf8ToUtf16(argv[2]));
  manager->Release();
  return result;
}
