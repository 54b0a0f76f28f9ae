// Frames over a connected stream socket: reading one whole frame, and a
// writer that several threads may share.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace cefshim::wire {

enum class ReadStatus {
  kFrame,  // `body` holds the frame's kind and payload
  kEnd,    // the peer closed the connection between two frames
  kError,  // `error` says why: a read failure, a frame cut short, or a
           // length of 0 or above kMaxFrameLength
};

// Blocks until one whole frame has arrived from `fd`. Only the length prefix
// is checked here; DecodeFrame checks the body. One reader per descriptor.
ReadStatus ReadFrame(int fd, std::vector<std::uint8_t>* body, std::string* error);

// Writes whole frames (as EncodeFrame made them) to a descriptor it does not
// own. Frames written from several threads never interleave. Close() makes
// every later Write() fail, so that the owner may then close the descriptor.
class FrameWriter {
 public:
  explicit FrameWriter(int fd) : fd_(fd) {}
  FrameWriter(const FrameWriter&) = delete;
  FrameWriter& operator=(const FrameWriter&) = delete;

  // False when the writer is closed or the peer is gone (never SIGPIPE).
  bool Write(const std::vector<std::uint8_t>& frame);
  void Close();

 private:
  std::mutex mutex_;
  int fd_;
  bool closed_ = false;
};

}  // namespace cefshim::wire
