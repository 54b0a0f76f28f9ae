#include "testing/fifo_open_watch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

namespace lumarine_testing {
namespace {

// Opens the FIFO, retrying when a signal interrupts the wait.
int OpenFifo(const std::string& path, int flags) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

FifoOpenWatch::FifoOpenWatch(platform::WStringView path, Opener watched) : path_(platform::NativePath(path)) {
  if (::mkfifo(path_.c_str(), 0600) != 0) {
    ADD_FAILURE() << "cannot create the FIFO " << path_;
    return;
  }
  // Each open blocks until the other side opens the pipe: the code under
  // test (released, then waited for again, as often as it opens the pipe),
  // or Stop().
  const int other_side = watched == Opener::kReader ? O_WRONLY : O_RDONLY;
  watcher_ = std::thread([this, other_side] {
    for (;;) {
      const int fd = OpenFifo(path_, other_side);
      if (fd >= 0) ::close(fd);
      if (fd < 0 || stopping_.load()) return;
      opened_ = true;
    }
  });
}

FifoOpenWatch::~FifoOpenWatch() {
  if (watcher_.joinable()) Stop();
}

bool FifoOpenWatch::Stop() {
  if (!watcher_.joinable()) return opened_.load();
  stopping_ = true;
  // Opened for reading and writing (which never blocks on Linux), the pipe
  // releases the watcher's open whichever side it waits for; it stays open
  // until the watcher has ended, so a watcher that only now reaches its open
  // is released too.
  const int both = OpenFifo(path_, O_RDWR | O_NONBLOCK);
  if (both < 0) {
    // The FIFO is gone, so nothing can open it again: the watcher waits for
    // ever and touches nothing more.
    ADD_FAILURE() << "the FIFO " << path_ << " was removed while it was watched";
    watcher_.detach();
    return opened_.load();
  }
  watcher_.join();
  ::close(both);
  return opened_.load();
}

}  // namespace lumarine_testing
