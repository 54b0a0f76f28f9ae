// The user's proxy settings: the registry's Internet settings under
// HKEY_CURRENT_USER, read through the platform's registry stand-in.
#pragma once

#include <optional>

#include "platform/text_types.h"
#include "proxy_settings.h"

// The proxy that a "ProxyServer" value selects. Entries are separated by
// ";" (empty entries are ignored, so a trailing ";" changes nothing). Each
// entry is looked at for the keywords "http=", "https=", "socks=", "ftp="
// (in that order, anywhere in the entry, without case); a later entry with
// the same keyword wins. An http= (else https=) value gives an HTTP proxy,
// else a socks= value a SOCKS4 proxy, else a single entry without keyword
// an HTTP proxy; anything else gives no proxy (type 0). The ftp= value is
// never used. The bypass list of the result is empty.
ProxySettings ChooseSystemProxy(platform::WStringView proxyServer);

// What the registry holds: nullopt when the key is missing or
// "ProxyEnable" is 0 or unreadable; otherwise "ProxyServer" ("" when
// absent) and "ProxyOverride" (nullopt when absent). A value stored with a
// non-text type is read as 8-bit text up to its first zero byte.
struct SystemProxyValues {
  platform::WString proxyServer;
  std::optional<platform::WString> proxyOverride;
};
std::optional<SystemProxyValues> ReadSystemProxyValues();
