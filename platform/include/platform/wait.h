// Waiting for a kernel object (a semaphore, named or not).
//
// Every wait ends early, with kStopped, when the calling thread is a
// StoppableThread whose stop was requested (stoppable_thread.h): a thread
// can always be ended cooperatively, whatever it waits for. A wait can also
// watch a peer (it ends with kPeerGone once the peer has gone, checked
// every 50 ms) and a message pump (message_pump.h). Otherwise it is
// unbounded unless a time-out is given.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

class MessagePump;

enum class WaitResult {
  kSignaled,  // one unit of the object was taken
  kMessages,  // new messages were posted to the pump (nothing taken)
  kTimeout,
  kStopped,   // the calling thread was asked to stop
  kPeerGone,  // the watched peer has gone
};

// Something a thread can wait for. Implemented by the semaphores.
class Waitable {
 public:
  virtual ~Waitable() = default;

  // Takes one unit when one is available, without blocking.
  virtual bool TryAcquire() = 0;

  // The 32-bit word that is non-zero while a unit is available, and whether
  // it lives in memory shared between processes. For the wait's use only.
  struct Word {
    const std::uint32_t* address;
    bool shared;
  };
  virtual Word wait_word() const = 0;
};

struct WaitOptions {
  // nullopt waits without a time limit.
  std::optional<std::uint32_t> timeout_ms;
  // When set, called on the waiting thread every 50 ms or so; false ends the
  // wait with kPeerGone (unless a unit arrived meanwhile).
  std::function<bool()> peer_alive;
  // When set, the wait also ends with kMessages when messages were posted
  // to it since the last time this thread waited on it.
  MessagePump* pump = nullptr;
};

// Any thread. Waits until a unit of `object` is taken or one of the other
// endings in WaitOptions happens. Only kSignaled takes a unit.
WaitResult WaitForObject(Waitable& object, const WaitOptions& options = {});

}  // namespace platform
