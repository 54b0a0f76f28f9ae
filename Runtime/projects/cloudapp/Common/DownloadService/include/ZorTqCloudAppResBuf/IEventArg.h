// Event arguments: what a transfer tells its caller's handlers.
//
// Every transfer that a download call accepted ends with exactly one end
// or failed event, on both downloaders. Begin comes first once the
// transfer is set up and its local file is open, just before its request
// is sent; progress events (below) follow, then end or failed. Failed
// comes alone, with no begin, when the transfer ends before that: its
// libcurl handle or one of its options could not be set up (message 107,
// or 103 such as a TLS version that libcurl refuses), its local file could
// not be opened (104), or it was dropped unrun from the queue by Stop,
// Release or a synchronous time-out (105). Every later failure (a refused
// connection, an unknown host or scheme, an HTTP status) comes after
// begin. A call that was not accepted raises nothing.
//
// A handler receives the IEventArg view; the other views of the same
// object are reached with dynamic_cast.
//
// Ownership: the library owns every argument. A handler must not keep the
// pointer (or any text obtained from it) after it returns.
// Thread safety: an argument is handed to one handler call at a time.
#pragma once

#include <cstdint>

#include "ZorTqCloudAppResBuf/Api.h"
#include "ZorTqCloudAppResBuf/IDWError.h"

namespace ZorTqCloudAppResBuf {

enum EN_ResBufEvent {
  EN_EVENT_BEGIN = 2,
  EN_EVENT_PROGRESS = 3,
  EN_EVENT_END = 4,
  EN_EVENT_FAILED = 5,
};

class ZOR_INTERFACE IEventArg {
 public:
  virtual int GetEventType() = 0;  // an EN_ResBufEvent value
  virtual int GetEventKind() = 0;  // always equal to GetEventType()
  virtual int GetUserData() = 0;   // the userData of the download call

 protected:
  ~IEventArg() = default;
};

// A handler registered with IEventMgr. Its result only tells the library
// whether some handler took the event; every handler is called regardless.
typedef bool (*EventHandler)(IEventArg* arg, void* user);

// The view shared by the four download events. Texts point into the
// argument.
class ZOR_INTERFACE IDownloadEventArg : public virtual IEventArg {
 public:
  virtual const char16_t* GetFileName() = 0;
  virtual const char16_t* GetFolder() = 0;
  // folder + "/" + file name (no separator after an empty folder or one
  // that already ends in "/").
  virtual const char16_t* GetLocalPath() = 0;
  // The URL as requested ("\" replaced by "/").
  virtual const char16_t* GetUrl() = 0;

 protected:
  ~IDownloadEventArg() = default;
};

class ZOR_INTERFACE IDownloadBeginEventArg : public virtual IDownloadEventArg {
 protected:
  ~IDownloadBeginEventArg() = default;
};

// Raised only while an answer of known length (Content-Length) arrives;
// the counts are those of that answer's body: for a ranged download the
// range, not the file; for a refused answer (a 404 page, say, read and
// discarded) that page. libcurl reports the position many times (for each
// block received and about once a second). The step starts at 15; a report
// whose whole percentage (rounded down) is a non-zero multiple of the step,
// or which is complete, moves the step on by 15 and raises an event unless
// that position was raised already. So a steady transfer is reported at
// 15, 30, 45, 60, 75 and 90 % and at completion (always, once every byte
// arrived); a percentage that jumps over a multiple waits for the next
// multiple of the current step (14 % then 16 %: the next event at 30 %,
// the one after at 60 %), and a multiple reported twice moves the step on
// twice (so events may stop early until completion). At most seven per
// transfer. SetCancel(true) asks the transfer to end with a failed event
// (message 105); it takes effect shortly after the handler returns.
class ZOR_INTERFACE IDownloadProgressEventArg : public virtual IDownloadEventArg {
 public:
  virtual std::int64_t GetTotalBytes() = 0;
  virtual std::int64_t GetDownloadedBytes() = 0;
  // Bytes since the previous progress event of the same transfer.
  virtual std::int64_t GetDeltaBytes() = 0;
  virtual void SetCancel(bool cancel) = 0;
  virtual bool IsCancel() = 0;

 protected:
  ~IDownloadProgressEventArg() = default;
};

class ZOR_INTERFACE IDownloadEndEventArg : public virtual IDownloadEventArg {
 protected:
  ~IDownloadEndEventArg() = default;
};

// The failed event; its IDWError view (dynamic_cast) tells why.
class ZOR_INTERFACE IDownloadFailedEventArg : public virtual IDownloadEventArg {
 protected:
  ~IDownloadFailedEventArg() = default;
};

}  // namespace ZorTqCloudAppResBuf
