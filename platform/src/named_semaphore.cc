#include "platform/named_semaphore.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "semaphore_count.h"

#if defined(__SANITIZE_THREAD__)
#define LUMARINE_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define LUMARINE_TSAN 1
#endif
#endif

#ifdef LUMARINE_TSAN
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace platform {
namespace {

// Two handles of one semaphore in one process map its count at two
// addresses, so ThreadSanitizer cannot see that a release on one orders
// the wait on the other. Under it, a release and a successful take also
// release and acquire a key that all handles of the object share.
void* SyncKey(int fd) {
#ifdef LUMARINE_TSAN
  static char keys[1024];
  struct stat info = {};
  ::fstat(fd, &info);
  return &keys[(info.st_dev * 31 + info.st_ino) % sizeof keys];
#else
  (void)fd;
  return nullptr;
#endif
}

void ReleaseKey([[maybe_unused]] void* key) {
#ifdef LUMARINE_TSAN
  __tsan_release(key);
#endif
}

void AcquireKey([[maybe_unused]] void* key) {
#ifdef LUMARINE_TSAN
  __tsan_acquire(key);
#endif
}

}  // namespace

std::unique_ptr<NamedSemaphore> NamedSemaphore::Create(WStringView name, std::uint32_t initial,
                                                       std::uint32_t maximum, NamedCreation how, bool* existed) {
  if (maximum == 0 || initial > maximum) {
    errno = EINVAL;
    return nullptr;
  }
  const Shared fresh{initial, maximum};
  std::string bytes(sizeof fresh, '\0');
  std::memcpy(bytes.data(), &fresh, sizeof fresh);
  return Map(NamedObjectFile::Create(NamedObjectKind::kSemaphore, name, how, sizeof fresh, {bytes}, existed));
}

std::unique_ptr<NamedSemaphore> NamedSemaphore::Open(WStringView name) {
  return Map(NamedObjectFile::Open(NamedObjectKind::kSemaphore, name));
}

std::unique_ptr<NamedSemaphore> NamedSemaphore::Map(std::unique_ptr<NamedObjectFile> file) {
  if (file == nullptr) return nullptr;
  if (file->size() < sizeof(Shared)) {
    errno = EINVAL;
    return nullptr;
  }
  void* view = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED, file->fd(), 0);
  if (view == MAP_FAILED) return nullptr;
  void* key = SyncKey(file->fd());
  return std::unique_ptr<NamedSemaphore>(new NamedSemaphore(std::move(file), static_cast<Shared*>(view), key));
}

NamedSemaphore::~NamedSemaphore() { ::munmap(shared_, sizeof(Shared)); }

bool NamedSemaphore::Release(std::uint32_t count, std::uint32_t* previous) {
  const std::uint32_t maximum = __atomic_load_n(&shared_->maximum, __ATOMIC_RELAXED);
  ReleaseKey(sync_key_);
  return detail::AddUnits(&shared_->count, maximum, count, previous, true);
}

bool NamedSemaphore::TryAcquire() {
  if (!detail::TakeOneUnit(&shared_->count)) return false;
  AcquireKey(sync_key_);
  return true;
}

}  // namespace platform
