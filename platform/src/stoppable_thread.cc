#include "platform/stoppable_thread.h"

#include <system_error>

#include "futex.h"

namespace platform {
namespace {

thread_local const StopToken* current_token = nullptr;

bool IsSet(const std::uint32_t& word) { return __atomic_load_n(&word, __ATOMIC_ACQUIRE) != 0; }

void SetAndWake(std::uint32_t& word) {
  __atomic_store_n(&word, 1, __ATOMIC_RELEASE);
  detail::FutexWake(&word, false);
}

}  // namespace

bool StopToken::stop_requested() const { return IsSet(word_); }

void StopToken::RequestStop() { SetAndWake(word_); }

const StopToken* StopToken::Current() { return current_token; }

ScopedStopToken::ScopedStopToken(const StopToken& token) : previous_(current_token) { current_token = &token; }

ScopedStopToken::~ScopedStopToken() { current_token = previous_; }

StoppableThread::~StoppableThread() {
  RequestStop();
  WaitForEndUnbounded();
}

bool StoppableThread::Start(std::function<void()> body) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (started_) return false;
  try {
    thread_ = std::thread([this, body = std::move(body)] {
      current_token = &token_;
      body();
      current_token = nullptr;
      SetAndWake(ended_);
    });
  } catch (const std::system_error&) {
    return false;
  }
  started_ = true;
  return true;
}

bool StoppableThread::started() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return started_;
}

bool StoppableThread::WaitForEnd(std::uint32_t timeout_ms) {
  if (!started()) return true;
  const timespec deadline = detail::MonotonicAfter(timeout_ms);
  while (!IsSet(ended_)) {
    if (!detail::IsBefore(detail::MonotonicNow(), deadline)) return false;
    const detail::FutexWaiter waiter{&ended_, 0, false};
    detail::FutexWaitAny(&waiter, 1, &deadline);
  }
  JoinOnce();
  return true;
}

void StoppableThread::WaitForEndUnbounded() {
  if (!started()) return;
  while (!IsSet(ended_)) {
    const detail::FutexWaiter waiter{&ended_, 0, false};
    detail::FutexWaitAny(&waiter, 1, nullptr);
  }
  JoinOnce();
}

void StoppableThread::JoinOnce() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (thread_.joinable()) thread_.join();
}

bool SleepUnlessStopped(std::uint32_t milliseconds) {
  const StopToken* stop = StopToken::Current();
  const timespec deadline = detail::MonotonicAfter(milliseconds);
  for (;;) {
    if (stop != nullptr && stop->stop_requested()) return false;
    if (!detail::IsBefore(detail::MonotonicNow(), deadline)) return true;
    std::uint32_t never_set = 0;
    const detail::FutexWaiter waiter = stop != nullptr ? detail::FutexWaiter{&stop->word_, 0, false}
                                                       : detail::FutexWaiter{&never_set, 0, false};
    detail::FutexWaitAny(&waiter, 1, &deadline);
  }
}

}  // namespace platform
