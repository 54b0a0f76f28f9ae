#include "system_proxy.h"

#include <array>
#include <memory>

#include "platform/registry.h"
#include "platform/wide_string.h"
#include "text_conversion.h"
#include "text_split.h"

namespace {

constexpr char16_t kInternetSettingsKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

enum Keyword { kHttp, kHttps, kSocks, kFtp, kKeywordCount };
constexpr std::array<platform::WStringView, kKeywordCount> kKeywords = {u"http=", u"https=", u"socks=", u"ftp="};

// The value as text: strings as stored, other types as 8-bit text up to
// the first zero byte.
std::optional<platform::WString> ReadText(const platform::RegistryKey& key, platform::WStringView name) {
  const std::optional<platform::RegistryValue> value = key.ReadValue(name);
  if (!value) return std::nullopt;
  if (std::optional<platform::WString> text = key.ReadString(name)) return text;
  const std::string bytes = value->data.substr(0, value->data.find('\0'));
  return ToWide(bytes.c_str());
}

// "ProxyEnable" as a 4-byte number, whatever its stored type; 0 when it
// cannot be read as one.
std::uint32_t ReadEnable(const platform::RegistryKey& key) {
  const std::optional<platform::RegistryValue> value = key.ReadValue(u"ProxyEnable");
  if (!value || value->data.empty() || value->data.size() > 4) return 0;
  std::uint32_t number = 0;
  for (std::size_t i = value->data.size(); i-- > 0;) number = number << 8 | static_cast<unsigned char>(value->data[i]);
  return number;
}

}  // namespace

ProxySettings ChooseSystemProxy(platform::WStringView proxyServer) {
  std::array<platform::WString, kKeywordCount> values;
  const std::vector<platform::WStringView> entries = SplitNonEmpty(proxyServer, u';');
  bool anyKeyword = false;
  for (platform::WStringView entry : entries) {
    for (int k = 0; k < kKeywordCount; ++k) {
      const std::size_t at = platform::WFindNoCase(entry, kKeywords[k]);
      if (at == platform::WStringView::npos) continue;
      values[k] = platform::WString(TrimBlanks(entry.substr(at + kKeywords[k].size())));
      anyKeyword = true;
      break;
    }
  }
  ProxySettings chosen;
  if (!values[kHttp].empty() || !values[kHttps].empty()) {
    chosen.type = 1;
    chosen.address = !values[kHttp].empty() ? values[kHttp] : values[kHttps];
  } else if (!values[kSocks].empty()) {
    chosen.type = 2;
    chosen.address = values[kSocks];
  } else if (entries.size() == 1 && !anyKeyword) {
    chosen.type = 1;
    chosen.address = platform::WString(entries.front());
  }
  return chosen;
}

std::optional<SystemProxyValues> ReadSystemProxyValues() {
  const std::unique_ptr<platform::RegistryKey> key =
      platform::RegistryKey::Open(platform::RegistryHive::kCurrentUser, kInternetSettingsKey);
  if (!key || ReadEnable(*key) == 0) return std::nullopt;
  SystemProxyValues values;
  values.proxyServer = ReadText(*key, u"ProxyServer").value_or(platform::WString());
  values.proxyOverride = ReadText(*key, u"ProxyOverride");
  return values;
}
