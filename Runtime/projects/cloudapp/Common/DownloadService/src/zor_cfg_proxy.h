// CZorCfgProxy: a download object's proxy setting behind IInternetProxy.
// Locked, so the caller may change it from any thread; transfers take a
// copy (Snapshot) when they are requested and never read it afterwards.
#pragma once

#include <mutex>

#include "ZorTqCloudAppResBuf/IInternetProxy.h"
#include "proxy_settings.h"

class CZorCfgProxy : public ZorTqCloudAppResBuf::IInternetProxy {
 public:
  CZorCfgProxy() = default;
  virtual ~CZorCfgProxy() = default;

  bool Reset() override;
  bool IsSet() override;
  bool IsBypassed(const char16_t* host) override;
  int GetProxyType() override;
  bool LoadSystemProxy() override;
  bool SetHttpProxy(const char16_t* address) override;
  bool SetSocks4Proxy(const char16_t* address) override;
  bool SetSocks5Proxy(const char16_t* address) override;
  const char16_t* GetProxy() override;

  ProxySettings Snapshot() const;

 private:
  bool SetProxy(int type, const char16_t* address);

  mutable std::mutex mutex_;
  ProxySettings settings_;
};
