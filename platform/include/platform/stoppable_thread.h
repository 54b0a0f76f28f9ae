// A thread that is ended cooperatively, never killed.
//
// The thread's stop token is the calling thread's "current" token while its
// body runs: every platform wait (wait.h) and SleepUnlessStopped on that
// thread returns at once when a stop is requested, so the body sees the
// request wherever it waits and can unwind, closing what it holds.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/wait.h"

namespace platform {

class StopToken {
 public:
  bool stop_requested() const;
  // Any thread; wakes the token's thread if it waits.
  void RequestStop();

  // The token of the calling thread when it is a StoppableThread, else null.
  static const StopToken* Current();

 private:
  friend class StoppableThread;
  friend WaitResult WaitForObject(Waitable&, const WaitOptions&);
  friend bool SleepUnlessStopped(std::uint32_t);
  std::uint32_t word_ = 0;  // 1 once a stop was requested
};

class StoppableThread {
 public:
  StoppableThread() = default;
  // Requests a stop and waits for the thread to end, however long that takes.
  ~StoppableThread();
  StoppableThread(const StoppableThread&) = delete;
  StoppableThread& operator=(const StoppableThread&) = delete;

  // Runs `body` on a new thread. False when the thread was started before
  // (a thread runs once) or could not be created.
  bool Start(std::function<void()> body);

  // Any thread: asks the body to end.
  void RequestStop() { token_.RequestStop(); }

  // Any thread: waits up to `timeout_ms` for the body to return. True when
  // it has returned (or never started); the thread is then joined.
  bool WaitForEnd(std::uint32_t timeout_ms);

  bool started() const;

 private:
  void WaitForEndUnbounded();
  void JoinOnce();

  StopToken token_;
  std::uint32_t ended_ = 0;  // 1 once the body has returned
  mutable std::mutex mutex_;
  std::thread thread_;
  bool started_ = false;
};

// Makes `token` the calling thread's current stop token for the life of
// the object, for a thread that is not a StoppableThread: the thread's
// platform waits and SleepUnlessStopped end at once when another thread
// calls token.RequestStop(). The previous current token comes back when the
// object is destroyed. `token` must outlive the object; the object belongs
// to the thread that made it.
class ScopedStopToken {
 public:
  explicit ScopedStopToken(const StopToken& token);
  ~ScopedStopToken();
  ScopedStopToken(const ScopedStopToken&) = delete;
  ScopedStopToken& operator=(const ScopedStopToken&) = delete;

 private:
  const StopToken* const previous_;
};

// Sleeps, but returns false at once when the calling thread's stop is
// requested. True after a full sleep.
bool SleepUnlessStopped(std::uint32_t milliseconds);

}  // namespace platform
