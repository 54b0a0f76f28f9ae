// ProxySettings: the value of a download object's proxy setting, copied
// into each transfer when it is requested. Pure value, any thread.
#pragma once

#include "platform/text_types.h"

struct ProxySettings {
  // 0 none, 1 HTTP, 2 SOCKS4 (as SOCKS4A), 3 SOCKS5 (proxy resolves names).
  int type = 0;
  // As libcurl takes it: host, host:port, or with a scheme prefix.
  platform::WString address;
  // Bypass entries separated by ";" (the registry's "ProxyOverride").
  platform::WString bypass;

  bool IsSet() const { return !address.empty(); }

  // True when an entry of the bypass list matches the host. Entries are
  // trimmed; empty ones and "<local>" are skipped. An entry matches when
  // its "*"-separated pieces occur in the host in order, anywhere (an entry
  // is not anchored; one made only of "*" matches every host). Host names
  // compare without case.
  bool IsBypassed(platform::WStringView host) const;
};
