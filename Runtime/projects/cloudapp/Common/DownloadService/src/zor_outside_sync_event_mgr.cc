#include "zor_outside_sync_event_mgr.h"

#include "ZorTqCloudAppResBuf/IDWError.h"

using ZorTqCloudAppResBuf::EN_EVENT_END;
using ZorTqCloudAppResBuf::EN_EVENT_FAILED;

bool CZorOutsideSyncEventMgr::Raise(const CEventArg& arg) {
  std::unique_ptr<CEventArg> copy = arg.Clone();
  {
    std::lock_guard<std::mutex> lock(queueMutex_);
    const auto found = queues_.find(copy->SessionId());
    if (found == queues_.end()) return false;
    found->second.push_back(std::move(copy));
  }
  queueChanged_.notify_all();
  return true;
}

void CZorOutsideSyncEventMgr::OpenQueue(std::uint64_t sessionId) {
  std::lock_guard<std::mutex> lock(queueMutex_);
  queues_[sessionId];
}

void CZorOutsideSyncEventMgr::CloseQueue(std::uint64_t sessionId) {
  std::deque<std::unique_ptr<CEventArg>> dropped;
  std::lock_guard<std::mutex> lock(queueMutex_);
  const auto found = queues_.find(sessionId);
  if (found == queues_.end()) return;
  dropped = std::move(found->second);
  queues_.erase(found);
}

std::unique_ptr<CEventArg> CZorOutsideSyncEventMgr::Next(std::uint64_t sessionId, bool limited,
                                                        std::chrono::steady_clock::time_point deadline,
                                                        bool* closed) {
  std::unique_lock<std::mutex> lock(queueMutex_);
  const auto found = queues_.find(sessionId);
  if (found == queues_.end()) {
    *closed = true;
    return nullptr;
  }
  auto& queue = found->second;
  const auto ready = [&queue] { return !queue.empty(); };
  if (limited) {
    queueChanged_.wait_until(lock, deadline, ready);
  } else {
    queueChanged_.wait(lock, ready);
  }
  if (queue.empty()) return nullptr;
  std::unique_ptr<CEventArg> arg = std::move(queue.front());
  queue.pop_front();
  return arg;
}

CZorError CZorOutsideSyncEventMgr::Pump(std::uint64_t sessionId, unsigned timeoutSeconds) {
  using Clock = std::chrono::steady_clock;
  const bool limited = timeoutSeconds != kNoTimeout;
  const auto limit = std::chrono::seconds(timeoutSeconds);
  CZorError last;
  Clock::time_point deadline = Clock::now() + limit;
  while (true) {
    bool closed = false;
    if (std::unique_ptr<CEventArg> arg = Next(sessionId, limited, deadline, &closed)) {
      const int type = arg->GetEventType();
      if (!arg->WantsReply()) last = arg->Error();
      Deliver(std::move(arg));
      if (type == EN_EVENT_END || type == EN_EVENT_FAILED) return last;
      deadline = Clock::now() + limit;
    } else if (closed) {
      last.RecordCustom(ZorTqCloudAppResBuf::EN_MSG_CANCELLED);
      return last;
    }
    if (limited && Clock::now() >= deadline) {
      last.RecordCustom(ZorTqCloudAppResBuf::EN_MSG_TIMED_OUT);
      return last;
    }
  }
}
