// ISecureProtocol: the lowest TLS version an HTTPS download accepts.
//
// Versions: 0 not set (libcurl's default), 1 SSL 2 and 2 SSL 3 (refused by
// libcurl: such downloads fail with message 103, detail 43), 3 TLS 1.0,
// 4 TLS 1.1, 5 TLS 1.2; any other value means the default. Each download
// copies the setting when it is requested.
//
// Ownership: the download object owns it; never freed by the caller.
// Thread safety: any thread.
#pragma once

#include "ZorTqCloudAppResBuf/Api.h"

namespace ZorTqCloudAppResBuf {

class ZOR_INTERFACE ISecureProtocol {
 public:
  virtual bool IsSet() = 0;  // the version is not 0
  virtual void Reset() = 0;  // version 0
  virtual bool SetVersion(int version) = 0;  // stores any value; true
  virtual int GetVersion() = 0;

 protected:
  ~ISecureProtocol() = default;
};

}  // namespace ZorTqCloudAppResBuf
