// EventCallWatch: keeps an event function's call to the browser control
// from holding up a synchronous evaluation for ever.
//
// While the control waits in "ExecJS" for a synchronous evaluation, the
// evaluated script may call an event function, which calls the control
// back and blocks the render thread until the control answers. The control
// answers on its RPC server's thread, so this normally completes; but a
// control whose event function needs the very thread that waits in
// "ExecJS" would wait for the renderer while the renderer waits for it.
// The watch breaks that circle from the renderer's side: once an event call
// has held up a waiting "ExecJS" for kPatience, the RPC server thread ends
// the call, the script receives "" (as when the control's server is
// gone), the evaluation finishes and "ExecJS" returns its result. An event
// call made while no "ExecJS" waits is never ended.
//
// Thread safety: Call on the render thread, EndCallHoldingUp on the RPC
// server thread.
#pragma once

#include <chrono>
#include <mutex>

#include "platform/stoppable_thread.h"

namespace Kestrun {

class EventCallWatch {
 public:
  using Clock = std::chrono::steady_clock;

  static constexpr std::chrono::seconds kPatience{5};

  // An event call in progress for the life of the object, on the thread
  // that makes it: its platform waits (the RPC client's) end when the watch
  // ends the call.
  class Call {
   public:
    explicit Call(EventCallWatch& watch);
    ~Call();
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

   private:
    EventCallWatch& watch_;
    platform::StopToken token_;
    platform::ScopedStopToken current_;
  };

  // "ExecJS" has waited since `waiting_since`: ends the event call in
  // progress once it has held that wait up for kPatience, counted from the
  // later of its start and `waiting_since`. True when it ended one.
  bool EndCallHoldingUp(Clock::time_point waiting_since);

 private:
  std::mutex mutex_;
  platform::StopToken* call_ = nullptr;  // the call in progress, if any
  Clock::time_point call_started_;
};

}  // namespace Kestrun
