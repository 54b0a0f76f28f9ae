#include "zor_outside_async_event_mgr.h"

#include "zor_dw_async_event_session.h"

bool CZorOutsideAsyncEventMgr::Raise(const CEventArg& arg) {
  return eventPool_.Submit(std::make_unique<CZorDWAsyncEventSession>(*this, arg.Clone()));
}

void CZorOutsideAsyncEventMgr::RemoveAllHandlers() {
  CZorOutsideEventMgr::RemoveAllHandlers();
  eventPool_.Close();
}

void CZorDWAsyncEventSession::Run(CZorWorker& /*worker*/) {
  if (arg_) mgr_.DeliverNow(std::move(arg_));
}
