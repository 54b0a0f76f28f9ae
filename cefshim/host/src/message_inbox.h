// MessageInbox: the process messages a renderer has sent, in arrival order,
// taken out by name. One thread adds; any thread may wait and take.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "cefshim/host/renderer_process.h"

namespace cefshim::host {

class MessageInbox {
 public:
  void Add(ReceivedMessage message);
  // No message will be added any more.
  void Close();
  // Removes and returns the first message named `name`, waiting up to
  // `timeout` for it; nullopt on time-out or once closed without one.
  std::optional<ReceivedMessage> Take(const CefString& name, std::chrono::milliseconds timeout);

 private:
  std::optional<ReceivedMessage> TakeLocked(const CefString& name);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<ReceivedMessage> messages_;
  bool closed_ = false;
};

}  // namespace cefshim::host
