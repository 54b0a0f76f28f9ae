// CZorDWAsyncEventSession: the delivery of one asynchronous event, run on
// the event pool. A delivery that the pool drops unrun releases its event.
// Its manager counts it from its making to its destruction, so the manager
// can wait until none of its deliveries is left.
#pragma once

#include <memory>

#include "event_args.h"
#include "zor_pool_task.h"

class CZorOutsideAsyncEventMgr;

class CZorDWAsyncEventSession : public CZorPoolTask {
 public:
  CZorDWAsyncEventSession(CZorOutsideAsyncEventMgr& mgr, std::unique_ptr<CEventArg> arg);
  ~CZorDWAsyncEventSession() override;

  void Run(CZorWorker& worker) override;
  void Finish() override {}
  bool BelongsTo(const void* owner) const override { return owner == &mgr_; }

 private:
  CZorOutsideAsyncEventMgr& mgr_;
  std::unique_ptr<CEventArg> arg_;
};
