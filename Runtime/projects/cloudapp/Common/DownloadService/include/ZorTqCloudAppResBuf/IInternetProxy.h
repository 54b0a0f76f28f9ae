// IInternetProxy: the proxy of a download object.
//
// A download object uses no proxy (and ignores the proxy environment
// variables) until its caller sets one here, explicitly or from the user's
// Internet settings in the registry. Each download copies the setting when
// it is requested; later changes affect later downloads. Hosts "localhost"
// and "127.0.0.1" never go through the proxy.
//
// Ownership: the download object owns it; never freed by the caller.
// Thread safety: any thread; GetProxy's text stays valid until the next
// change of the setting.
#pragma once

#include "ZorTqCloudAppResBuf/Api.h"

namespace ZorTqCloudAppResBuf {

enum EN_ProxyType {
  EN_PROXY_NONE = 0,
  EN_PROXY_HTTP = 1,
  EN_PROXY_SOCKS4 = 2,  // sent as SOCKS4A (the proxy resolves host names)
  EN_PROXY_SOCKS5 = 3,  // the proxy resolves host names
};

class ZOR_INTERFACE IInternetProxy {
 public:
  // No proxy (type 0); the bypass list is kept. Returns true.
  virtual bool Reset() = 0;
  // True when a proxy address is set.
  virtual bool IsSet() = 0;
  // True when `host` matches an entry of the bypass list (the registry's
  // "ProxyOverride"; entries separated by ";", "*" matching any text, an
  // entry matching anywhere in the host, "<local>" ignored).
  virtual bool IsBypassed(const char16_t* host) = 0;
  virtual int GetProxyType() = 0;  // an EN_ProxyType value
  // Reads the user's Internet settings from the registry: HKEY_CURRENT_USER
  // "Software\Microsoft\Windows\CurrentVersion\Internet Settings", values
  // "ProxyEnable", "ProxyServer", "ProxyOverride".
  // False, and no proxy, when the key is missing or the proxy disabled.
  virtual bool LoadSystemProxy() = 0;
  // Sets the proxy ("host", "host:port" or with a scheme prefix). A null
  // address: false, nothing changes. Otherwise true when it is not empty.
  virtual bool SetHttpProxy(const char16_t* address) = 0;
  virtual bool SetSocks4Proxy(const char16_t* address) = 0;
  virtual bool SetSocks5Proxy(const char16_t* address) = 0;
  // The address; "" when none.
  virtual const char16_t* GetProxy() = 0;

 protected:
  ~IInternetProxy() = default;
};

}  // namespace ZorTqCloudAppResBuf
