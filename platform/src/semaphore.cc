#include "platform/semaphore.h"

#include "semaphore_count.h"

namespace platform {

std::unique_ptr<Semaphore> Semaphore::Create(std::uint32_t initial, std::uint32_t maximum) {
  if (maximum == 0 || initial > maximum) return nullptr;
  return std::unique_ptr<Semaphore>(new Semaphore(initial, maximum));
}

bool Semaphore::Release(std::uint32_t count, std::uint32_t* previous) {
  return detail::AddUnits(&count_, maximum_, count, previous, false);
}

bool Semaphore::TryAcquire() { return detail::TakeOneUnit(&count_); }

}  // namespace platform
