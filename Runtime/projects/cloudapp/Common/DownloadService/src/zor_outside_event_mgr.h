// CZorOutsideEventMgr: a downloader's event manager as its caller sees it
// (IEventMgr), and as its transfers use it: they Raise their events, and
// take back the progress arguments that the caller's handlers saw (the
// "replies", where a handler's cancel request travels).
//
// Replies are kept only for transfers that are open (between OpenSession,
// before the transfer is queued, and CloseSession, when it has finished):
// a reply filed for a closed transfer is released at once, so nothing is
// left behind and a running transfer's reply is never taken away.
// Thread safety: any thread; no lock is held while a handler runs.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "ZorTqCloudAppResBuf/IEventMgr.h"
#include "event_args.h"
#include "zor_event_mgr.h"

class CZorOutsideEventMgr : public CZorEventMgr, public ZorTqCloudAppResBuf::IEventMgr {
 public:
  bool AddHandler(int eventType, ZorTqCloudAppResBuf::EventHandler handler, void* user) override;
  bool RemoveHandler(int eventType, ZorTqCloudAppResBuf::EventHandler handler, void* user) override;
  void RemoveAllHandlers() override;

  // Delivers a copy of the argument (the raising transfer keeps its own).
  // False when it cannot be delivered (it is then dropped).
  virtual bool Raise(const CEventArg& arg) = 0;

  void OpenSession(std::uint64_t sessionId);
  void CloseSession(std::uint64_t sessionId);

  // The oldest reply of the transfer with this event type; null when none.
  // The caller owns the result.
  std::unique_ptr<CEventArg> TakeReply(std::uint64_t sessionId, int eventType);

 protected:
  // Runs the handlers for a delivered argument, then files it as a reply
  // when it wants one, else releases it. Returns Dispatch's result.
  bool Deliver(std::unique_ptr<CEventArg> arg);

 private:
  void FileReply(std::unique_ptr<CEventArg> arg);

  std::mutex repliesMutex_;
  std::map<std::uint64_t, std::deque<std::unique_ptr<CEventArg>>> replies_;
};
