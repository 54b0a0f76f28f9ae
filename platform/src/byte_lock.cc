#include "byte_lock.h"

#include <fcntl.h>

#include <cerrno>

namespace platform::detail {
namespace {

struct flock ByteRange(off_t byte, short type) {
  struct flock range = {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = byte;
  range.l_len = 1;
  return range;
}

}  // namespace

bool LockByte(int fd, off_t byte, short type, bool wait) {
  struct flock range = ByteRange(byte, type);
  for (;;) {
    if (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range) == 0) return true;
    if (errno != EINTR) return false;
  }
}

bool ByteLockedByOthers(int fd, off_t byte) {
  struct flock probe = ByteRange(byte, F_WRLCK);
  if (::fcntl(fd, F_OFD_GETLK, &probe) != 0) return true;
  return probe.l_type != F_UNLCK;
}

}  // namespace platform::detail
