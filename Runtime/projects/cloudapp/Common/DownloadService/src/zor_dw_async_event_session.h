// CZorDWAsyncEventSession: the delivery of one asynchronous event, run on
// the event pool. A delivery that the pool drops unrun releases its event.
#pragma once

#include <memory>

#include "event_args.h"
#include "zor_pool_task.h"

class CZorOutsideAsyncEventMgr;

class CZorDWAsyncEventSession : public CZorPoolTask {
 public:
  CZorDWAsyncEventSession(CZorOutsideAsyncEventMgr& mgr, std::unique_ptr<CEventArg> arg)
      : mgr_(mgr), arg_(std::move(arg)) {}

  void Run(CZorWorker& worker) override;
  void Finish() override {}

 private:
  CZorOutsideAsyncEventMgr& mgr_;
  std::unique_ptr<CEventArg> arg_;
};
