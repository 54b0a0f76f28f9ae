// The message-pumping wait and its pump hook.
//
// Windows lets a thread wait for an object while it keeps dispatching the
// window messages posted to it. Linux has no window messages; a MessagePump
// stands for a thread's message queue: other threads Post() messages to it,
// and a wait that is given the pump wakes for them. What "dispatching" does
// is the hook: the Dispatch() of a subclass.
//
// Thread safety: Post() from any thread. Take() and the pumping waits run
// on one waiting thread at a time (the queue's owner).
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>

#include "platform/wait.h"

namespace platform {

struct WindowMessage {
  std::uint32_t message = 0;
  std::uint64_t wparam = 0;
  std::int64_t lparam = 0;
};

class MessagePump {
 public:
  MessagePump() = default;
  virtual ~MessagePump() = default;
  MessagePump(const MessagePump&) = delete;
  MessagePump& operator=(const MessagePump&) = delete;

  // Any thread: queues a message and wakes a wait that serves this pump.
  void Post(const WindowMessage& message);

  // Removes the oldest waiting message whose number is in [first, last];
  // false when there is none.
  bool Take(WindowMessage* message, std::uint32_t first = 0, std::uint32_t last = UINT32_MAX);

  // The hook: handles one message on the waiting thread.
  virtual void Dispatch(const WindowMessage& message) = 0;

 private:
  friend WaitResult WaitForObject(Waitable&, const WaitOptions&);
  // Waiting thread: true (once) when messages were posted since the last call.
  bool TakeNewMessagesFlag();
  const std::uint32_t* generation_word() const { return &generation_; }
  std::uint32_t seen_generation() const { return seen_; }

  std::mutex mutex_;
  std::deque<WindowMessage> queue_;
  std::uint32_t generation_ = 0;  // bumped by every Post
  std::uint32_t seen_ = 0;        // the generation the waiting thread last saw
};

// Waits for `object` while pumping: whenever new messages have been posted,
// every waiting message is taken and passed to pump.Dispatch() on this
// thread, then the wait goes on. Ends as WaitForObject, never with
// kMessages.
WaitResult WaitPumpingMessages(Waitable& object, MessagePump& pump, WaitOptions options = {});

}  // namespace platform
