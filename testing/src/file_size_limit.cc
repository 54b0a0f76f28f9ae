#include "testing/file_size_limit.h"

#include <gtest/gtest.h>

namespace lumarine_testing {

ScopedFileSizeLimit::ScopedFileSizeLimit(std::size_t bytes) {
  EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &saved_limit_), 0);
  saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = saved_limit_;
  limit.rlim_cur = bytes;
  EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
  ::setrlimit(RLIMIT_FSIZE, &saved_limit_);
  std::signal(SIGXFSZ, saved_handler_);
}

}  // namespace lumarine_testing
