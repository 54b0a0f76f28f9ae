#include "platform/named_mutex.h"

#include <fcntl.h>

#include "byte_lock.h"

namespace platform {
namespace {

// Ownership is an exclusive lock on this byte (byte 0 is the liveness lock
// every handle holds, byte 1 marks an object made for its first opener).
constexpr off_t kOwnerByte = 2;

bool SetOwnerLock(int fd, short type) { return detail::LockByte(fd, kOwnerByte, type, true); }

}  // namespace

std::unique_ptr<NamedMutex> NamedMutex::Create(WStringView name) {
  auto file = NamedObjectFile::Create(NamedObjectKind::kMutex, name, NamedCreation::kCreateOrOpen, 2, {});
  if (file == nullptr) return nullptr;
  return std::unique_ptr<NamedMutex>(new NamedMutex(std::move(file)));
}

bool NamedMutex::Lock() { return SetOwnerLock(file_->fd(), F_WRLCK); }

void NamedMutex::Unlock() { SetOwnerLock(file_->fd(), F_UNLCK); }

}  // namespace platform
