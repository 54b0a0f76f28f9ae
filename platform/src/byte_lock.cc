#include "byte_lock.h"

#include <fcntl.h>

#include <cerrno>

namespace platform::detail {
namespace {

struct flock ByteRange(off_t first, off_t count, short type) {
  struct flock range = {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = first;
  range.l_len = count;
  return range;
}

}  // namespace

bool LockBytes(int fd, off_t first, off_t count, short type, bool wait) {
  struct flock range = ByteRange(first, count, type);
  for (;;) {
    if (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range) == 0) return true;
    if (errno != EINTR) return false;
  }
}

bool ByteLockedByOthers(int fd, off_t byte, bool if_unknown) {
  struct flock probe = ByteRange(byte, 1, F_WRLCK);
  if (::fcntl(fd, F_OFD_GETLK, &probe) != 0) return if_unknown;
  return probe.l_type != F_UNLCK;
}

}  // namespace platform::detail
