// Feeds arbitrary bytes to the .reg parser and reads back every value it
// kept through the typed readers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::RegistryData parsed;
  platform::ParseRegFile(std::string_view(reinterpret_cast<const char*>(data), size), parsed);
  for (const auto& [key, values] : parsed) {
    const platform::RegistryKey reader(values);
    for (const auto& [name, value] : values) {
      (void)reader.ReadString(name);
      (void)reader.ReadDword(name);
      (void)value;
    }
  }
  return 0;
}
