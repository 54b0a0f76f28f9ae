#include "runtime_registry.h"

#include <algorithm>
#include <vector>

#include "platform/format.h"
#include "platform/registry.h"

namespace launcher {
namespace {

constexpr char16_t kDevelopmentEnvironmentKey[] = u"Software\\Corvana\\Lumarine\\22.0";
constexpr char16_t kRuntimeKey[] = u"Software\\Corvana\\Lumarine Runtime";
constexpr std::size_t kVersionPieceLimit = 20;

platform::WString ReadLocalMachineString(platform::WStringView key_name, platform::WStringView value_name) {
  std::unique_ptr<platform::RegistryKey> key = platform::RegistryKey::Open(platform::RegistryHive::kLocalMachine, key_name);
  if (!key) return {};
  return key->ReadString(value_name).value_or(platform::WString());
}

}  // namespace

platform::WString DevelopmentEnvironmentFolder() {
  const platform::WString location = ReadLocalMachineString(kDevelopmentEnvironmentKey, u"Location");
  const platform::WString name = ReadLocalMachineString(kDevelopmentEnvironmentKey, u"IPS Name");
  if (location.empty() || name.empty()) return {};
  return platform::Format(u"%s/%s/IDE", {location, name});
}

platform::WString RegisteredRuntimeVersions() { return ReadLocalMachineString(kRuntimeKey, u"RuntimeVersion"); }

platform::WString RegisteredRuntimeLocation(platform::WStringView version) {
  return ReadLocalMachineString(platform::Format(u"%s\\%s", {kRuntimeKey, version}), u"Location");
}

std::optional<platform::WString> ChooseRegisteredVersion(platform::WStringView versions,
                                                         platform::WStringView lowest) {
  std::vector<platform::WString> pieces;
  std::size_t start = 0;
  while (start < versions.size()) {
    std::size_t end = std::min(versions.find(u',', start), versions.size());
    if (end > start && end - start < kVersionPieceLimit) pieces.emplace_back(versions.substr(start, end - start));
    start = end + 1;
  }
  std::stable_sort(pieces.begin(), pieces.end());
  auto above = std::upper_bound(pieces.begin(), pieces.end(), lowest,
                                [](platform::WStringView a, const platform::WString& b) { return a < b; });
  if (above == pieces.end()) return std::nullopt;
  return *above;
}

}  // namespace launcher
