// CZorEventMgr: the handlers of one downloader, per event type, behind one
// lock. Dispatch copies the type's list under the lock and calls the
// handlers after releasing it, so handlers may add or remove handlers and
// several threads may raise events while others change the lists.
// Thread safety: any thread.
#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "ZorTqCloudAppResBuf/IEventArg.h"

class CZorEventMgr {
 public:
  virtual ~CZorEventMgr() = default;

  // False when the pair is already registered for the type.
  bool Add(int eventType, ZorTqCloudAppResBuf::EventHandler handler, void* user);
  // Removes the first entry of the type with this function and user (any
  // user when `user` is null). False when none.
  bool Remove(int eventType, ZorTqCloudAppResBuf::EventHandler handler, void* user);
  void RemoveAll();

  // Calls every handler of the argument's type in registration order. True
  // when at least one returned true.
  bool Dispatch(ZorTqCloudAppResBuf::IEventArg& arg);

 private:
  struct Entry {
    ZorTqCloudAppResBuf::EventHandler handler;
    void* user;
  };

  std::mutex mutex_;
  std::map<int, std::vector<Entry>> handlers_;
};
