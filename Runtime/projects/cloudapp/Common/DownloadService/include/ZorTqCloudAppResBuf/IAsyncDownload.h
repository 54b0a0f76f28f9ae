// IAsyncDownload: downloads that return at once.
//
// Each call queues one transfer on the library's worker threads and returns
// whether it was accepted (false once the library's threads were closed by
// the Release of a root whose downloaders had downloaded). The transfer's
// events reach the handlers of GetEventMgr on the library's event threads;
// its failure is reported only by its failed event, which comes with no
// begin before it when the transfer could not be set up (IEventArg.h).
//
// The local file is folder + "/" + fileName (no separator after an empty
// folder or one ending in "/"); missing folders are created. A relative
// folder is taken from the working folder at the call: the file is made,
// written and (on failure) deleted there, whatever the working folder
// becomes while the transfer runs. A file whose mode has no write bit is
// read-only, also when the process runs as root: a download into it fails
// with message 104, detail EACCES, and leaves it byte for byte. A "\" in
// the URL is requested as "/"; only http and https are fetched, and a URL
// without a scheme is fetched as http, as curl does (see the README). A
// null text counts as empty. userData is carried into every event
// argument. A transfer whose file is removed or replaced at its path before
// the end (another file renamed over it included) fails with message 110
// and deletes nothing: what is then at the path is left alone. A request
// that fails on a reused connection before any answer arrived is sent once
// more on a fresh connection, unseen by the handlers; one whose answer had
// begun is never sent again.
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
  // means to the end. A missing file makes the request the whole resource,
  // whatever range was asked. A server that ignores the range (status 200)
  // makes the file restart from its first byte as soon as that answer's
  // head arrives: it gets the whole resource, which may be empty (or,
  // should that transfer fail, what of it arrived); the restart empties the
  // file this transfer opened, never one put at the path meanwhile (that
  // case fails with 110). A 206 answer whose range starts before or after
  // the start asked for fails (message 103, detail 33) and appends
  // nothing. A failed ranged download otherwise keeps what the file held,
  // except when the server's 416 answer shows the file is longer than the
  // resource. Nothing checks that the resource is still the one the file's
  // bytes came from.
  virtual bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                     int userData, std::int64_t rangeStart, std::int64_t rangeEnd) = 0;
  virtual bool DownloadFileIncrement(const char16_t* url, const char16_t* fileName, const char16_t* folder,
                                     std::int64_t rangeStart, std::int64_t rangeEnd) = 0;

 protected:
  ~IAsyncDownload() = default;
};

}  // namespace ZorTqCloudAppResBuf
