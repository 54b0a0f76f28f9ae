#include "zor_outside_event_mgr.h"

bool CZorOutsideEventMgr::AddHandler(int eventType, ZorTqCloudAppResBuf::EventHandler handler, void* user) {
  return Add(eventType, handler, user);
}

bool CZorOutsideEventMgr::RemoveHandler(int eventType, ZorTqCloudAppResBuf::EventHandler handler, void* user) {
  return Remove(eventType, handler, user);
}

void CZorOutsideEventMgr::RemoveAllHandlers() {
  {
    std::lock_guard<std::mutex> lock(repliesMutex_);
    for (auto& entry : replies_) entry.second.clear();
  }
  RemoveAll();
}

void CZorOutsideEventMgr::OpenSession(std::uint64_t sessionId) {
  std::lock_guard<std::mutex> lock(repliesMutex_);
  replies_[sessionId];
}

void CZorOutsideEventMgr::CloseSession(std::uint64_t sessionId) {
  std::deque<std::unique_ptr<CEventArg>> dropped;
  std::lock_guard<std::mutex> lock(repliesMutex_);
  const auto found = replies_.find(sessionId);
  if (found == replies_.end()) return;
  dropped = std::move(found->second);
  replies_.erase(found);
}

std::unique_ptr<CEventArg> CZorOutsideEventMgr::TakeReply(std::uint64_t sessionId, int eventType) {
  std::lock_guard<std::mutex> lock(repliesMutex_);
  const auto found = replies_.find(sessionId);
  if (found == replies_.end()) return nullptr;
  auto& list = found->second;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if ((*it)->GetEventType() != eventType) continue;
    std::unique_ptr<CEventArg> reply = std::move(*it);
    list.erase(it);
    return reply;
  }
  return nullptr;
}

bool CZorOutsideEventMgr::Deliver(std::unique_ptr<CEventArg> arg) {
  const bool taken = Dispatch(*arg);
  if (arg->WantsReply()) FileReply(std::move(arg));
  return taken;
}

void CZorOutsideEventMgr::FileReply(std::unique_ptr<CEventArg> arg) {
  std::lock_guard<std::mutex> lock(repliesMutex_);
  const auto found = replies_.find(arg->SessionId());
  if (found != replies_.end()) found->second.push_back(std::move(arg));
}

