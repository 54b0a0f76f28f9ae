// CZorCfgSSL: a download object's TLS-version setting behind
// ISecureProtocol. Atomic, so the caller may change it from any thread;
// transfers copy it when they are requested.
#pragma once

#include <atomic>

#include "ZorTqCloudAppResBuf/ISecureProtocol.h"

class CZorCfgSSL : public ZorTqCloudAppResBuf::ISecureProtocol {
 public:
  virtual ~CZorCfgSSL() = default;

  bool IsSet() override { return version_.load() != 0; }
  void Reset() override { SetVersion(0); }
  bool SetVersion(int version) override {
    version_.store(version);
    return true;
  }
  int GetVersion() override { return Version(); }
  int Version() const { return version_.load(); }

 private:
  std::atomic<int> version_{0};
};

// The CURLOPT_SSLVERSION value for a setting: 1 -> SSLv2, 2 -> SSLv3,
// 3 -> TLSv1.0, 4 -> TLSv1.1, 5 -> TLSv1.2 (each "or later"), anything else
// (0 included) -> libcurl's default.
long CurlSslVersion(int version);
