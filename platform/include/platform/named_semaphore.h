// A named semaphore shared between processes, with Windows lifetimes (see
// named_object.h) and Windows' counting rules: a release that would pass the
// maximum fails and leaves the count. Wait for it with WaitForObject.
// Thread safety: any thread; the handle must outlive its waits.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/named_object.h"
#include "platform/wait.h"

namespace platform {

class NamedSemaphore final : public Waitable {
 public:
  // CreateSemaphore: opens the live semaphore of that name (its count and
  // maximum stay; `existed` is set) or makes one. Null (errno set) on
  // failure or invalid counts (maximum 0, initial above maximum).
  static std::unique_ptr<NamedSemaphore> Create(WStringView name, std::uint32_t initial, std::uint32_t maximum,
                                                NamedCreation how = NamedCreation::kCreateOrOpen,
                                                bool* existed = nullptr);

  // OpenSemaphore: null (errno ENOENT) unless a semaphore of that name is live.
  static std::unique_ptr<NamedSemaphore> Open(WStringView name);

  ~NamedSemaphore() override;

  // Adds `count` units (at least 1); false, count unchanged, when that would
  // pass the maximum.
  bool Release(std::uint32_t count = 1, std::uint32_t* previous = nullptr);

  bool TryAcquire() override;
  Word wait_word() const override { return Word{&shared_->count, true}; }

  // True while another handle (any process) is open on this semaphore.
  bool HasOtherHolders() const { return file_->HasOtherHolders(); }

  // Frees the name: see NamedObjectFile::RemoveName.
  bool RemoveName() { return file_->RemoveName(); }

 private:
  struct Shared {
    std::uint32_t count;
    std::uint32_t maximum;
  };
  static std::unique_ptr<NamedSemaphore> Map(std::unique_ptr<NamedObjectFile> file);
  NamedSemaphore(std::unique_ptr<NamedObjectFile> file, Shared* shared, void* sync_key)
      : file_(std::move(file)), shared_(shared), sync_key_(sync_key) {}

  std::unique_ptr<NamedObjectFile> file_;
  Shared* shared_;
  void* sync_key_;  // for ThreadSanitizer only (see the source)
};

}  // namespace platform
