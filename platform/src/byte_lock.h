// One-byte open-file-description locks (F_OFD_*): owned by the open file
// description, so they exclude other descriptions of the same process as
// well as other processes, and vanish when their owner dies. Internal.
#pragma once

#include <sys/types.h>

namespace platform::detail {

// Sets `type` (F_RDLCK, F_WRLCK or F_UNLCK) on `count` bytes of the file
// from `first` on, or on byte `byte`. Without `wait`, fails (errno EAGAIN)
// instead of blocking. Retries on EINTR.
bool LockBytes(int fd, off_t first, off_t count, short type, bool wait);
inline bool LockByte(int fd, off_t byte, short type, bool wait) { return LockBytes(fd, byte, 1, type, wait); }

// True when another description holds a lock on the byte that would
// conflict with an exclusive one. When the kernel cannot tell,
// `if_unknown`.
bool ByteLockedByOthers(int fd, off_t byte, bool if_unknown);

}  // namespace platform::detail
