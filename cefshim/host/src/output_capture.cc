#include "output_capture.h"

#include <unistd.h>

#include <cerrno>

namespace cefshim::host {

OutputCapture::OutputCapture(wire::UniqueFd pipe) : pipe_(std::move(pipe)), reader_([this] { ReadUntilEnd(); }) {}

OutputCapture::~OutputCapture() {
  reader_.join();
}

void OutputCapture::ReadUntilEnd() {
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(pipe_.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    if (got <= 0) {
      ended_ = true;
      changed_.notify_all();
      return;
    }
    text_.append(buffer, static_cast<std::size_t>(got));
    changed_.notify_all();
  }
}

std::string OutputCapture::Text() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return text_;
}

bool OutputCapture::WaitFor(std::string_view part, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, timeout,
                           [&] { return ended_ || text_.find(part) != std::string::npos; }) &&
         text_.find(part) != std::string::npos;
}

bool OutputCapture::WaitForEnd(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return ended_; });
}

}  // namespace cefshim::host
