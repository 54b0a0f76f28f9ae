// CZorOutsideAsyncEventMgr: the asynchronous downloader's event manager.
// Each raised event is delivered by a job (CZorDWAsyncEventSession) on the
// library's event pool, so a slow handler never holds up a transfer.
// Events of one transfer may be handled at the same time on two threads.
//
// The event pool is shared by every asynchronous downloader of the library
// and stays open while any of them may still get events; a manager never
// closes it. Instead a manager that goes withdraws its own deliveries that
// still wait in the pool and waits for those that run, so no handler of its
// downloader runs once it is gone and the others' events keep coming.
// Thread safety: any thread; destroying the manager from one of its own
// handlers deadlocks.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>

#include "zor_outside_event_mgr.h"
#include "zor_thread_pool.h"

class CZorOutsideAsyncEventMgr : public CZorOutsideEventMgr {
 public:
  // The pool must outlive the manager.
  explicit CZorOutsideAsyncEventMgr(CZorThreadPool& eventPool) : eventPool_(eventPool) {}
  // Drops this manager's waiting deliveries and waits for its running ones.
  ~CZorOutsideAsyncEventMgr() override;

  // Hands a copy to the event pool. False (and dropped) when the pool is
  // closed.
  bool Raise(const CEventArg& arg) override;

  // Runs the handlers for one event on the calling (event-pool) thread.
  void DeliverNow(std::unique_ptr<CEventArg> arg) { Deliver(std::move(arg)); }

  // Counted by each delivery job from its making to its destruction.
  void DeliveryMade();
  void DeliveryGone();

 private:
  CZorThreadPool& eventPool_;
  std::mutex deliveriesMutex_;
  std::condition_variable deliveriesGone_;
  std::size_t deliveries_ = 0;
};
