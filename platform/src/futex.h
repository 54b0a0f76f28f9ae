// Futex waits and wakes, the sleeping half of every wait in the platform
// library. The counting half (semaphore counts, stop flags, message
// generations) lives in 32-bit words that callers change with atomics.
// Internal to the platform library.
#pragma once

#include <time.h>

#include <climits>
#include <cstddef>
#include <cstdint>

namespace platform::detail {

struct FutexWaiter {
  const std::uint32_t* word;
  std::uint32_t expected;  // sleep only while *word holds this value
  bool shared;             // the word lives in memory shared between processes
};

// Sleeps until one of the words is woken or differs from its expected value,
// or until `deadline` (CLOCK_MONOTONIC; null for none). Returns early on
// signals and spuriously; callers re-check their condition. Waits on all
// words at once (futex_waitv); on kernels without it, sleeps on the first
// word in short slices so that the others are still noticed.
void FutexWaitAny(const FutexWaiter* waiters, std::size_t count, const timespec* deadline);

// Wakes up to `count` sleepers on the word.
void FutexWake(const std::uint32_t* word, bool shared, int count = INT_MAX);

// The monotonic clock, and a point `milliseconds` after now.
timespec MonotonicNow();
timespec MonotonicAfter(std::uint32_t milliseconds);
bool IsBefore(const timespec& a, const timespec& b);
// Whole milliseconds left until `deadline`, rounded up; 0 once it has passed.
std::uint32_t MillisecondsUntil(const timespec& deadline);

}  // namespace platform::detail
