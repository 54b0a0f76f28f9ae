// The count of a semaphore, named or not: one 32-bit word changed with
// atomics, sleepers woken through the futex of that word. Internal.
#pragma once

#include <cstdint>

namespace platform::detail {

// Takes one unit when the count is above zero.
bool TakeOneUnit(std::uint32_t* count);

// Adds `units` unless that would pass `maximum`, in which case the count is
// left as it was and the result is false. `previous` receives the count
// before a successful release.
bool AddUnits(std::uint32_t* count, std::uint32_t maximum, std::uint32_t units, std::uint32_t* previous,
              bool shared);

}  // namespace platform::detail
