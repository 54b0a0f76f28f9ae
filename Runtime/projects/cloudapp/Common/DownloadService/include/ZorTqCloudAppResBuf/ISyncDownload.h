// ISyncDownload: downloads that block the calling thread until they end.
//
// The transfer runs on the library's worker threads; the calling thread
// runs the handlers of GetEventMgr, one event at a time, until the end or
// failed event. When no event arrives for timeoutSeconds seconds
// (0xFFFFFFFF: no limit) the call reports message 102, stops the transfer
// and still waits for its last event, so no event of it arrives after the
// call has returned.
//
// Result: false when url, fileName or folder is null or empty (nothing is
// queued and the error is unchanged), when the transfer is not accepted
// because the library's threads are closed (error 109, see
// ITqCloudAppResBuf::Release), or when it failed or timed out (the IDWError
// view then tells why); true after the end event. A success does not clear
// the error of an earlier failure.
//
// Files, URLs, userData and events (IEventArg.h: a transfer that cannot be
// set up raises failed with no begin) as for IAsyncDownload. The ranged
// calls use timeoutSeconds also as the transfer's low-speed time (below 1
// byte/s for that long fails it with libcurl's time-out); the others use 50
// seconds.
//
// Ownership: the root owns the downloader. Thread safety: several threads
// may download at once, each pumping only its own transfer's events; the
// IDWError view is shared by them.
#pragma once

#include <cstdint>

#include "ZorTqCloudAppResBuf/Api.h"
#include "ZorTqCloudAppResBuf/IDWError.h"
#include "ZorTqCloudAppResBuf/IDownload.h"

namespace ZorTqCloudAppResBuf {

class ZOR_INTERFACE ISyncDownload : public virtual IDWError, public virtual IDownload, public IDownloadEvent {
 public:
  virtual bool DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder, int userData,
                            unsigned timeoutSeconds) = 0;
  virtual bool DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                            unsigned timeoutSeconds) = 0;
  // Ranges as IAsyncDownload::DownloadFileIncrement: appends bytes
  // rangeStart..rangeEnd to the file, but a missing file makes the request
  // the whole resource, whatever range was asked.
  virtual bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                     int userData, std::int64_t rangeStart, std::int64_t rangeEnd,
                                     unsigned timeoutSeconds) = 0;
  virtual bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                     std::int64_t rangeStart, std::int64_t rangeEnd, unsigned timeoutSeconds) = 0;

 protected:
  ~ISyncDownload() = default;
};

}  // namespace ZorTqCloudAppResBuf
