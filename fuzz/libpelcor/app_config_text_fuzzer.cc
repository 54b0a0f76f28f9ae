// Feeds arbitrary bytes to the app configuration text loader, as a caller
// hands it a downloaded document: any encoding, any content.
#include <cstddef>
#include <cstdint>

#include "libpelcor/libpelcor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ICloudConfigManager* const manager = CreateCloudConfigManager();
  AppConfigRecord record;
  manager->LoadAppConfigText(&record, data, size);
  manager->FreeAppConfig(&record);
  return 0;
}
