#include "semaphore_count.h"

#include "futex.h"

namespace platform::detail {

bool TakeOneUnit(std::uint32_t* count) {
  std::uint32_t now = __atomic_load_n(count, __ATOMIC_RELAXED);
  while (now != 0) {
    if (__atomic_compare_exchange_n(count, &now, now - 1, true, __ATOMIC_ACQUIRE, __ATOMIC_RELAXED)) return true;
  }
  return false;
}

bool AddUnits(std::uint32_t* count, std::uint32_t maximum, std::uint32_t units, std::uint32_t* previous,
              bool shared) {
  if (units == 0) return false;
  std::uint32_t now = __atomic_load_n(count, __ATOMIC_RELAXED);
  do {
    if (now > maximum || units > maximum - now) return false;
  } while (!__atomic_compare_exchange_n(count, &now, now + units, true, __ATOMIC_RELEASE, __ATOMIC_RELAXED));
  if (previous != nullptr) *previous = now;
  FutexWake(count, shared, static_cast<int>(units));
  return true;
}

}  // namespace platform::detail
