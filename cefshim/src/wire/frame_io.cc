#include "wire/frame_io.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "wire/frame.h"

namespace cefshim::wire {
namespace {

// Reads exactly `size` bytes. Returns the number read before the end of the
// stream or an error (`size` on success); `error` is set on an error.
std::size_t ReadFully(int fd, std::uint8_t* buffer, std::size_t size, std::string* error) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::recv(fd, buffer + done, size - done, 0);
    if (got > 0) {
      done += static_cast<std::size_t>(got);
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      *error = std::string("read failed: ") + std::strerror(errno);
      break;
    }
  }
  return done;
}

}  // namespace

ReadStatus ReadFrame(int fd, std::vector<std::uint8_t>* body, std::string* error) {
  std::uint8_t prefix[4];
  error->clear();
  const std::size_t got = ReadFully(fd, prefix, sizeof prefix, error);
  if (got == 0 && error->empty()) return ReadStatus::kEnd;
  if (got < sizeof prefix) {
    if (error->empty()) *error = "connection closed inside a frame's length";
    return ReadStatus::kError;
  }
  const std::uint32_t length = prefix[0] | prefix[1] << 8 | prefix[2] << 16 | std::uint32_t{prefix[3]} << 24;
  if (length == 0 || length > kMaxFrameLength) {
    *error = "frame length " + std::to_string(length) + " outside 1 to " + std::to_string(kMaxFrameLength);
    return ReadStatus::kError;
  }
  body->resize(length);
  if (ReadFully(fd, body->data(), length, error) < length) {
    if (error->empty()) *error = "connection closed inside a frame";
    return ReadStatus::kError;
  }
  return ReadStatus::kFrame;
}

bool FrameWriter::Write(const std::vector<std::uint8_t>& frame) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t done = 0;
  while (!closed_ && done < frame.size()) {
    const ssize_t sent = ::send(fd_, frame.data() + done, frame.size() - done, MSG_NOSIGNAL);
    if (sent >= 0) {
      done += static_cast<std::size_t>(sent);
    } else if (errno != EINTR) {
      closed_ = true;  // a frame cut short leaves nothing sound to add to
    }
  }
  return !closed_;
}

void FrameWriter::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
}

}  // namespace cefshim::wire
