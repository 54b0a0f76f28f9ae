// FrameQueue: the frames read from the connection, waiting for the render
// thread. One thread pushes, one pops; Close() lets the popper drain what is
// queued and then stop, Discard() stops it at once.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "wire/frame.h"

namespace cefshim {

class FrameQueue {
 public:
  void Push(wire::Frame frame);
  // No more frames will come.
  void Close();
  // Closes and drops the frames not yet popped: their sender is gone.
  void Discard();
  // The next frame, waiting for one; nullopt once closed and drained.
  std::optional<wire::Frame> Pop();

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<wire::Frame> frames_;
  bool closed_ = false;
};

}  // namespace cefshim
