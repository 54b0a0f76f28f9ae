// CZorOutsideAsyncEventMgr: the asynchronous downloader's event manager.
// Each raised event is delivered by a job (CZorDWAsyncEventSession) on the
// library's event pool, so a slow handler never holds up a transfer.
// Events of one transfer may be handled at the same time on two threads.
// Thread safety: any thread.
#pragma once

#include "zor_outside_event_mgr.h"
#include "zor_thread_pool.h"

class CZorOutsideAsyncEventMgr : public CZorOutsideEventMgr {
 public:
  // The pool must outlive every event raised through this manager; closing
  // the pool (RemoveAllHandlers) ends every pending delivery.
  explicit CZorOutsideAsyncEventMgr(CZorThreadPool& eventPool) : eventPool_(eventPool) {}

  // Hands a copy to the event pool. False (and dropped) when the pool is
  // closed.
  bool Raise(const CEventArg& arg) override;
  // Also closes the event pool for good: pending deliveries are dropped.
  void RemoveAllHandlers() override;

  // Runs the handlers for one event on the calling (event-pool) thread.
  void DeliverNow(std::unique_ptr<CEventArg> arg) { Deliver(std::move(arg)); }

 private:
  CZorThreadPool& eventPool_;
};
