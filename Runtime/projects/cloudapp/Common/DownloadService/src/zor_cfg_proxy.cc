#include "zor_cfg_proxy.h"

#include "system_proxy.h"

bool CZorCfgProxy::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  settings_.address.clear();
  settings_.type = 0;
  return true;
}

bool CZorCfgProxy::IsSet() {
  std::lock_guard<std::mutex> lock(mutex_);
  return settings_.IsSet();
}

bool CZorCfgProxy::IsBypassed(const char16_t* host) {
  if (host == nullptr) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  return settings_.IsBypassed(host);
}

int CZorCfgProxy::GetProxyType() {
  std::lock_guard<std::mutex> lock(mutex_);
  return settings_.type;
}

bool CZorCfgProxy::LoadSystemProxy() {
  const std::optional<SystemProxyValues> values = ReadSystemProxyValues();
  if (!values) {
    Reset();
    return false;
  }
  const ProxySettings chosen = ChooseSystemProxy(values->proxyServer);
  std::lock_guard<std::mutex> lock(mutex_);
  if (values->proxyOverride) settings_.bypass = *values->proxyOverride;
  settings_.type = chosen.type;
  settings_.address = chosen.address;
  return true;
}

bool CZorCfgProxy::SetHttpProxy(const char16_t* address) { return SetProxy(1, address); }
bool CZorCfgProxy::SetSocks4Proxy(const char16_t* address) { return SetProxy(2, address); }
bool CZorCfgProxy::SetSocks5Proxy(const char16_t* address) { return SetProxy(3, address); }

bool CZorCfgProxy::SetProxy(int type, const char16_t* address) {
  if (address == nullptr) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  settings_.address = address;
  settings_.type = type;
  return settings_.IsSet();
}

const char16_t* CZorCfgProxy::GetProxy() {
  std::lock_guard<std::mutex> lock(mutex_);
  return settings_.address.c_str();
}

ProxySettings CZorCfgProxy::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return settings_;
}
