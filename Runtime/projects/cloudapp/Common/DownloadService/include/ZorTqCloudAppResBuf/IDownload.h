// IDownload and IDownloadEvent: what every download object shares.
//
// Ownership: the root object owns every download object and what they hand
// out. Thread safety: any thread.
#pragma once

#include "ZorTqCloudAppResBuf/Api.h"
#include "ZorTqCloudAppResBuf/IEventMgr.h"
#include "ZorTqCloudAppResBuf/IInternetProxy.h"
#include "ZorTqCloudAppResBuf/ISecureProtocol.h"

namespace ZorTqCloudAppResBuf {

class ZOR_INTERFACE IDownload {
 public:
  // The TLS-version and proxy settings; also stored in *out when out is
  // not null.
  virtual ISecureProtocol* GetSecureProtocol(ISecureProtocol** out) = 0;
  virtual IInternetProxy* GetInternetProxy(IInternetProxy** out) = 0;
  // Stops every download of the library (the worker threads are shared by
  // all downloaders): queued ones end with a failed event (message 105)
  // without running, running ones are told to stop and end with a failed
  // event (105) within about a second, whatever their progress. Waits up
  // to timeoutMs for the running ones to end. True when none runs any
  // more (or this object never downloaded); false when the time ran out.
  virtual bool Stop(unsigned timeoutMs) = 0;

 protected:
  ~IDownload() = default;
};

class ZOR_INTERFACE IDownloadEvent {
 public:
  // The object's event manager; also stored in *out when out is not null.
  virtual IEventMgr* GetEventMgr(IEventMgr** out) = 0;

 protected:
  ~IDownloadEvent() = default;
};

}  // namespace ZorTqCloudAppResBuf
