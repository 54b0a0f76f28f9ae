// A named mutex shared between processes. Its owner dying (even by SIGKILL)
// releases it, so a crashed process never blocks the next one. Ownership
// belongs to the handle: two handles of one process exclude each other too.
// Lifetime of the name as in named_object.h.
// Thread safety: a handle is locked and unlocked by one thread at a time.
#pragma once

#include <memory>

#include "platform/named_object.h"

namespace platform {

class NamedMutex {
 public:
  // Creates or opens the mutex of that name; null (errno set) on failure.
  static std::unique_ptr<NamedMutex> Create(WStringView name);

  // Blocks until this handle owns the mutex. False (errno set) on a system
  // failure.
  bool Lock();
  void Unlock();

 private:
  explicit NamedMutex(std::unique_ptr<NamedObjectFile> file) : file_(std::move(file)) {}
  std::unique_ptr<NamedObjectFile> file_;
};

}  // namespace platform
