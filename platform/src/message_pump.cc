#include "platform/message_pump.h"

#include <optional>

#include "futex.h"

namespace platform {

void MessagePump::Post(const WindowMessage& message) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(message);
  }
  __atomic_add_fetch(&generation_, 1, __ATOMIC_RELEASE);
  detail::FutexWake(&generation_, false);
}

bool MessagePump::Take(WindowMessage* message, std::uint32_t first, std::uint32_t last) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = queue_.begin(); it != queue_.end(); ++it) {
    if (it->message < first || it->message > last) continue;
    *message = *it;
    queue_.erase(it);
    return true;
  }
  return false;
}

bool MessagePump::TakeNewMessagesFlag() {
  const std::uint32_t now = __atomic_load_n(&generation_, __ATOMIC_ACQUIRE);
  if (now == seen_) return false;
  seen_ = now;
  return true;
}

WaitResult WaitPumpingMessages(Waitable& object, MessagePump& pump, WaitOptions options) {
  options.pump = &pump;
  const std::optional<timespec> deadline =
      options.timeout_ms ? std::optional<timespec>(detail::MonotonicAfter(*options.timeout_ms)) : std::nullopt;
  for (;;) {
    if (deadline) options.timeout_ms = detail::MillisecondsUntil(*deadline);
    const WaitResult result = WaitForObject(object, options);
    if (result != WaitResult::kMessages) return result;
    WindowMessage message;
    while (pump.Take(&message)) pump.Dispatch(message);
  }
}

}  // namespace platform
