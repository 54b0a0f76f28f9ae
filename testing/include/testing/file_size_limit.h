// Lowers the process's file-size limit (RLIMIT_FSIZE) for the life of the
// object, so that writes beyond it fail with EFBIG as on a full disk; the
// SIGXFSZ signal such a write raises is ignored meanwhile. The previous
// limit and signal handling come back when the object is destroyed.
// Process-wide: use it only while no other thread writes files.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace lumarine_testing {

class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(std::size_t bytes);
  ~ScopedFileSizeLimit();
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  struct rlimit saved_limit_;
  void (*saved_handler_)(int);
};

}  // namespace lumarine_testing
