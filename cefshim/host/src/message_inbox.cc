#include "message_inbox.h"

#include <utility>

namespace cefshim::host {

void MessageInbox::Add(ReceivedMessage message) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    messages_.push_back(std::move(message));
  }
  changed_.notify_all();
}

void MessageInbox::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

std::optional<ReceivedMessage> MessageInbox::Take(const CefString& name, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (std::optional<ReceivedMessage> found = TakeLocked(name)) return found;
    if (closed_ || changed_.wait_until(lock, deadline) == std::cv_status::timeout) return TakeLocked(name);
  }
}

std::optional<ReceivedMessage> MessageInbox::TakeLocked(const CefString& name) {
  for (auto it = messages_.begin(); it != messages_.end(); ++it) {
    if (it->message->GetName() == name) {
      ReceivedMessage found = std::move(*it);
      messages_.erase(it);
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace cefshim::host
