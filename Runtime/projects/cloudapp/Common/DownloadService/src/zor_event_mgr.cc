#include "zor_event_mgr.h"

#include <algorithm>

bool CZorEventMgr::Add(int eventType, ZorTqCloudAppResBuf::EventHandler handler, void* user) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Entry>& list = handlers_[eventType];
  const bool known = std::any_of(list.begin(), list.end(),
                                 [&](const Entry& e) { return e.handler == handler && e.user == user; });
  if (known) return false;
  list.push_back({handler, user});
  return true;
}

bool CZorEventMgr::Remove(int eventType, ZorTqCloudAppResBuf::EventHandler handler, void* user) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto found = handlers_.find(eventType);
  if (found == handlers_.end()) return false;
  std::vector<Entry>& list = found->second;
  const auto entry = std::find_if(list.begin(), list.end(), [&](const Entry& e) {
    return e.handler == handler && (user == nullptr || e.user == user);
  });
  if (entry == list.end()) return false;
  list.erase(entry);
  return true;
}

void CZorEventMgr::RemoveAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  handlers_.clear();
}

bool CZorEventMgr::Dispatch(ZorTqCloudAppResBuf::IEventArg& arg) {
  std::vector<Entry> copy;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = handlers_.find(arg.GetEventType());
    if (found != handlers_.end()) copy = found->second;
  }
  bool taken = false;
  for (const Entry& entry : copy) {
    if (entry.handler(&arg, entry.user)) taken = true;
  }
  return taken;
}
