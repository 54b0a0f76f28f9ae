#include "platform/wait.h"

#include <optional>

#include "futex.h"
#include "platform/message_pump.h"
#include "platform/stoppable_thread.h"

namespace platform {
namespace {

constexpr std::uint32_t kPeerCheckMs = 50;

const timespec* Earliest(const std::optional<timespec>& a, const std::optional<timespec>& b, timespec* out) {
  if (a && (!b || detail::IsBefore(*a, *b))) {
    *out = *a;
  } else if (b) {
    *out = *b;
  } else {
    return nullptr;
  }
  return out;
}

}  // namespace

WaitResult WaitForObject(Waitable& object, const WaitOptions& options) {
  const StopToken* stop = StopToken::Current();
  const Waitable::Word word = object.wait_word();
  const std::optional<timespec> deadline =
      options.timeout_ms ? std::optional<timespec>(detail::MonotonicAfter(*options.timeout_ms)) : std::nullopt;
  std::optional<timespec> next_peer_check;
  if (options.peer_alive) next_peer_check = detail::MonotonicAfter(kPeerCheckMs);
  for (;;) {
    if (object.TryAcquire()) return WaitResult::kSignaled;
    if (stop != nullptr && stop->stop_requested()) return WaitResult::kStopped;
    if (options.pump != nullptr && options.pump->TakeNewMessagesFlag()) return WaitResult::kMessages;
    const timespec now = detail::MonotonicNow();
    if (next_peer_check && !detail::IsBefore(now, *next_peer_check)) {
      // A unit released just before the peer went is still delivered.
      if (!options.peer_alive()) return object.TryAcquire() ? WaitResult::kSignaled : WaitResult::kPeerGone;
      next_peer_check = detail::MonotonicAfter(kPeerCheckMs);
    }
    if (deadline && !detail::IsBefore(now, *deadline)) return WaitResult::kTimeout;

    detail::FutexWaiter waiters[3];
    std::size_t count = 0;
    waiters[count++] = {word.address, 0, word.shared};
    if (stop != nullptr) waiters[count++] = {&stop->word_, 0, false};
    if (options.pump != nullptr) {
      waiters[count++] = {options.pump->generation_word(), options.pump->seen_generation(), false};
    }
    timespec wake_at{};
    detail::FutexWaitAny(waiters, count, Earliest(deadline, next_peer_check, &wake_at));
  }
}

}  // namespace platform
