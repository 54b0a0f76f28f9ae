#include "zor_outside_async_event_mgr.h"

#include "zor_dw_async_event_session.h"

CZorOutsideAsyncEventMgr::~CZorOutsideAsyncEventMgr() {
  eventPool_.DropQueued(this);
  std::unique_lock<std::mutex> lock(deliveriesMutex_);
  deliveriesGone_.wait(lock, [this] { return deliveries_ == 0; });
}

bool CZorOutsideAsyncEventMgr::Raise(const CEventArg& arg) {
  return eventPool_.Submit(std::make_unique<CZorDWAsyncEventSession>(*this, arg.Clone()));
}

void CZorOutsideAsyncEventMgr::DeliveryMade() {
  std::lock_guard<std::mutex> lock(deliveriesMutex_);
  ++deliveries_;
}

void CZorOutsideAsyncEventMgr::DeliveryGone() {
  std::lock_guard<std::mutex> lock(deliveriesMutex_);
  if (--deliveries_ == 0) deliveriesGone_.notify_all();
}

CZorDWAsyncEventSession::CZorDWAsyncEventSession(CZorOutsideAsyncEventMgr& mgr, std::unique_ptr<CEventArg> arg)
    : mgr_(mgr), arg_(std::move(arg)) {
  mgr_.DeliveryMade();
}

CZorDWAsyncEventSession::~CZorDWAsyncEventSession() { mgr_.DeliveryGone(); }

void CZorDWAsyncEventSession::Run(CZorWorker& /*worker*/) {
  if (arg_) mgr_.DeliverNow(std::move(arg_));
}
