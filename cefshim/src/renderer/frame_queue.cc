#include "renderer/frame_queue.h"

#include <utility>

namespace cefshim {

void FrameQueue::Push(wire::Frame frame) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    frames_.push_back(std::move(frame));
  }
  ready_.notify_one();
}

void FrameQueue::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  ready_.notify_one();
}

void FrameQueue::Discard() {
  std::deque<wire::Frame> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    dropped.swap(frames_);
  }
  ready_.notify_one();
}

std::optional<wire::Frame> FrameQueue::Pop() {
  std::unique_lock<std::mutex> lock(mutex_);
  ready_.wait(lock, [this] { return closed_ || !frames_.empty(); });
  if (frames_.empty()) return std::nullopt;
  std::optional<wire::Frame> frame(std::in_place, std::move(frames_.front()));
  frames_.pop_front();
  return frame;
}

}  // namespace cefshim
