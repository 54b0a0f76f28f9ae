// OutputCapture: what a child writes to standard output and error, read from
// a pipe by its own thread. Any thread may read the text or wait for a part
// of it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "wire/unique_fd.h"

namespace cefshim::host {

class OutputCapture {
 public:
  // Starts reading `pipe` (the read end) until the end of the output.
  explicit OutputCapture(wire::UniqueFd pipe);
  // Waits for the end of the output: destroy only after the writers ended.
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  std::string Text() const;
  // True once the text contains `part`; false on time-out or at the end of
  // the output without it.
  bool WaitFor(std::string_view part, std::chrono::milliseconds timeout);
  // True once every writer has closed the pipe; false on time-out.
  bool WaitForEnd(std::chrono::milliseconds timeout);

 private:
  void ReadUntilEnd();

  const wire::UniqueFd pipe_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::string text_;
  bool ended_ = false;
  std::thread reader_;
};

}  // namespace cefshim::host
