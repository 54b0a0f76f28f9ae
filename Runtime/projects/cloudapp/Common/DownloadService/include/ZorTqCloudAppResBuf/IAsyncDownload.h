// IAsyncDownload: downloads that return at once.
//
// Each call queues one transfer on the library's worker threads and returns
// whether it was accepted (false once the library's threads were closed by
// the Release of a root whose downloaders had downloaded). The transfer's
// events reach the handlers of GetEventMgr on the library's event threads;
// its failure is reported only by its failed event.
//
// The local file is folder + "/" + fileName (no separator after an empty
// folder or one ending in "/"); missing folders are created. A "\" in the
// URL is requested as "/"; only http and https URLs are fetched. A null
// text counts as empty. userData is carried into every event argument.
//
// Ownership: the root owns the downloader; texts are read during the call.
// Thread safety: any thread.
#pragma once

#include <cstdint>

#include "ZorTqCloudAppResBuf/Api.h"
#include "ZorTqCloudAppResBuf/IDownload.h"

namespace ZorTqCloudAppResBuf {

class ZOR_INTERFACE IAsyncDownload : public virtual IDownload, public IDownloadEvent {
 public:
  // Downloads the whole resource into a new or truncated file. A failed
  // download deletes the file.
  virtual bool DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                            int userData) = 0;
  virtual bool DownloadFile(const char16_t* url, const char16_t* fileName, const char16_t* folder) = 0;
  // Appends bytes rangeStart..rangeEnd (inclusive) of the resource to the
  // file. rangeStart -1 resumes from the file's current size; rangeEnd 0
  // means to the end. A server that ignores the range (status 200) makes the
  // file restart from its first byte. A failed ranged download keeps what
  // the file held, except when the server's 416 answer shows the file is
  // longer than the resource.
  virtual bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                     int userData, std::int64_t rangeStart, std::int64_t rangeEnd) = 0;
  virtual bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                     std::int64_t rangeStart, std::int64_t rangeEnd) = 0;

 protected:
  ~IAsyncDownload() = default;
};

}  // namespace ZorTqCloudAppResBuf
