// An unnamed semaphore of one process, with Windows' counting rules: a
// release that would pass the maximum fails and leaves the count. Wait for
// it with WaitForObject or WaitPumpingMessages.
// Thread safety: any thread.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/wait.h"

namespace platform {

class Semaphore final : public Waitable {
 public:
  // Null when maximum is 0 or initial is above maximum (as Windows refuses
  // them).
  static std::unique_ptr<Semaphore> Create(std::uint32_t initial, std::uint32_t maximum);

  // Adds `count` units (at least 1). False, with the count unchanged, when
  // that would pass the maximum. `previous` receives the former count.
  bool Release(std::uint32_t count = 1, std::uint32_t* previous = nullptr);

  bool TryAcquire() override;
  Word wait_word() const override { return Word{&count_, false}; }

 private:
  Semaphore(std::uint32_t initial, std::uint32_t maximum) : count_(initial), maximum_(maximum) {}

  std::uint32_t count_;
  const std::uint32_t maximum_;
};

}  // namespace platform
