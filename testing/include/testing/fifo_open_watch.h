// A named pipe (FIFO) that a test puts where code expects a file, and a
// watch that tells whether anything opened it while the test's work ran.
// Opening a FIFO for reading blocks until a writer comes, and for writing
// until a reader comes. The watch is the other side: a thread of its own
// blocked opening the pipe for writing (when readers are watched) or for
// reading (when writers are), so code that opens the pipe is let through at
// once, each time it opens it (a reader then reads end of file), and the
// test fails where it would otherwise hang. No time budget is involved: the watch ends on an event
// either way.
//
// Code that does not wait on a file's type never opens the pipe, so Stop()
// returning true is the fault to report. Use: construct (creates the FIFO),
// run the work, then Stop(); the FIFO must stay in place until then. One
// thread uses the object; the watcher thread is its own.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "platform/text_types.h"

namespace lumarine_testing {

class FifoOpenWatch {
 public:
  enum class Opener { kReader, kWriter };

  // Creates a FIFO at `path` (which must not exist) and starts watching for
  // an opener of that kind. Failure fails the current test.
  explicit FifoOpenWatch(platform::WStringView path, Opener watched = Opener::kReader);
  ~FifoOpenWatch();
  FifoOpenWatch(const FifoOpenWatch&) = delete;
  FifoOpenWatch& operator=(const FifoOpenWatch&) = delete;

  // Ends the watch: true when something opened the FIFO as the watched kind
  // of opener since construction. The FIFO stays in place. The destructor
  // calls it when the test did not.
  bool Stop();

 private:
  std::string path_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> opened_{false};
  std::thread watcher_;
};

}  // namespace lumarine_testing
