#include "event_call_watch.h"

#include <algorithm>

namespace Kestrun {

EventCallWatch::Call::Call(EventCallWatch& watch) : watch_(watch), current_(token_) {
  std::lock_guard<std::mutex> guard(watch_.mutex_);
  watch_.call_ = &token_;
  watch_.call_started_ = Clock::now();
}

EventCallWatch::Call::~Call() {
  std::lock_guard<std::mutex> guard(watch_.mutex_);
  watch_.call_ = nullptr;
}

bool EventCallWatch::EndCallHoldingUp(Clock::time_point waiting_since) {
  std::lock_guard<std::mutex> guard(mutex_);
  if (call_ == nullptr || call_->stop_requested()) return false;
  if (Clock::now() - std::max(waiting_since, call_started_) < kPatience) return false;
  call_->RequestStop();
  return true;
}

}  // namespace Kestrun
