// ITqCloudAppResBuf: the root object of libdrossel, made by CreateInstance.
//
// Ownership: the caller owns the root and ends it with Release; everything
// obtained from it (downloaders, utility, settings, managers) belongs to it
// and must not be used after Release.
// Thread safety: any thread, except that the first request of each getter
// must not race with another request of the same getter.
#pragma once

#include "ZorTqCloudAppResBuf/Api.h"
#include "ZorTqCloudAppResBuf/IAsyncDownload.h"
#include "ZorTqCloudAppResBuf/IHttpUtility.h"
#include "ZorTqCloudAppResBuf/ISyncDownload.h"

namespace ZorTqCloudAppResBuf {

class ZOR_INTERFACE ITqCloudAppResBuf {
 public:
  // Each getter makes its object on first call and then returns the same
  // one; the result is also stored in *out when out is not null. Null when
  // memory runs out (a later call tries again).
  virtual IAsyncDownload* GetAsyncDownload(IAsyncDownload** out) = 0;
  virtual ISyncDownload* GetSyncDownload(ISyncDownload** out) = 0;
  virtual IHttpUtility* GetHttpUtility(IHttpUtility** out) = 0;
  virtual bool IsValid() = 0;  // always true
  // Once a downloader of this root has downloaded: stops every download of
  // the library (queued ones are dropped, running ones stopped and waited
  // for) and closes the library's worker threads for good, so every later
  // download of any root is refused until the library is loaded again.
  // Always: no handler of this root runs any more once Release returns (a
  // running one is waited for); other roots' handlers keep getting the
  // events of the downloads they were given. Frees the root. Must not be
  // called from one of the root's own event handlers.
  virtual void Release() = 0;

 protected:
  ~ITqCloudAppResBuf() = default;
};

}  // namespace ZorTqCloudAppResBuf

// The library's one export. Makes a root object; null when memory runs out.
// The result is also stored in *out when out is not null.
ZOR_EXPORT ZorTqCloudAppResBuf::ITqCloudAppResBuf* CreateInstance(ZorTqCloudAppResBuf::ITqCloudAppResBuf** out);

// The type of CreateInstance, for callers that bind it with dlsym.
typedef ZorTqCloudAppResBuf::ITqCloudAppResBuf* (*PFN_CreateInstance)(ZorTqCloudAppResBuf::ITqCloudAppResBuf** out);
