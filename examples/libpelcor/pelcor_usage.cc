// Reads an app configuration through libpelcor, prints what it holds and
// saves a compact copy of it.
// Usage: pelcor_usage <app configuration> <copy>
#include <dlfcn.h>

#include <cstdio>

#include "libpelcor/libpelcor.h"
#include "utf16_text.h"  // Utf16() and Utf8(), from examples/common/

namespace {

std::uint32_t LoadAndCopy(ICloudConfigManager& manager, const char* input, const char* copy) {
  AppConfigRecord app;
  const std::uint32_t loaded = manager.LoadAppConfigFile(&app, Utf16(input).c_str());
  if (loaded != CONFIG_OK) return loaded;  // e.g. CONFIG_MISSING_MEMBER: a required list is missing
  std::printf("%s %s starts %s: %zu files before start, %zu on demand, runtime %s\n",
              Utf8(app.AppShortcutName).c_str(), Utf8(app.Version).c_str(), Utf8(app.StartupFile).c_str(),
              app.PredownloadFiles.size(), app.InstantDownloadFiles.size(), Utf8(app.RuntimeVersion).c_str());
  return manager.SaveAppConfig(Utf16(copy).c_str(), &app);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <app configuration> <copy>\n", argv[0]);
    return 2;
  }
  void* library = dlopen("libpelcor.so", RTLD_NOW);
  auto create = library != nullptr ? reinterpret_cast<CreateCloudConfigManagerFn>(
                                         dlsym(library, "CreateCloudConfigManager"))
                                   : nullptr;
  ICloudConfigManager* manager = create != nullptr ? create() : nullptr;
  if (manager == nullptr) {
    const char* why = dlerror();
    std::fprintf(stderr, "cannot use libpelcor.so: %s\n", why != nullptr ? why : "no manager");
    return 1;
  }
  const std::uint32_t code = LoadAndCopy(*manager, argv[1], argv[2]);
  manager->Release();  // ends the manager; records stay the caller's
  dlclose(library);
  if (code != CONFIG_OK) std::fprintf(stderr, "failed with code %u\n", code);
  return code == CONFIG_OK ? 0 : 1;
}
