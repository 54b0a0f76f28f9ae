// IEventMgr: the handlers of one downloader, registered per event type.
//
// A handler is identified by the pair (function, user). Handlers of one type
// are called in registration order. Handlers run outside the manager's lock,
// so a handler may add or remove handlers; a change applies from the next
// event. Where handlers run: on the asynchronous downloader, on the
// library's event threads (two events may be handled at the same time); on
// the synchronous downloader, on the thread blocked in its download call.
//
// Ownership: the downloader owns its manager. Thread safety: any thread.
#pragma once

#include "ZorTqCloudAppResBuf/Api.h"
#include "ZorTqCloudAppResBuf/IEventArg.h"

namespace ZorTqCloudAppResBuf {

class ZOR_INTERFACE IEventMgr {
 public:
  // Appends the pair to the type's list. False when the same pair is
  // already registered for that type.
  virtual bool AddHandler(int eventType, EventHandler handler, void* user) = 0;
  // Removes the first entry of the type whose function is `handler` and
  // whose user is `user` (any user when `user` is null). False when none.
  virtual bool RemoveHandler(int eventType, EventHandler handler, void* user) = 0;
  // Removes every handler of this downloader and drops its pending cancel
  // replies; its later events reach only handlers added afterwards. Other
  // downloaders' handlers keep getting their events.
  virtual void RemoveAllHandlers() = 0;

 protected:
  ~IEventMgr() = default;
};

}  // namespace ZorTqCloudAppResBuf
