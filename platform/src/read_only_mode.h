// The one read-only test by mode bits that the file functions share: a file
// whose mode has no write bit, for anyone, is read-only, also for root, as
// Windows treats a file with its read-only attribute.
#pragma once

#include <sys/stat.h>

namespace platform {

inline bool IsReadOnlyMode(mode_t mode) { return (mode & 0222) == 0; }

}  // namespace platform
