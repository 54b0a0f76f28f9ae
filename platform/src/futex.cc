#include "futex.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace platform::detail {
namespace {

#ifndef SYS_futex_waitv
#define SYS_futex_waitv 449
#endif

constexpr long kNanosPerSecond = 1000000000L;
// Slice of the fallback wait, so that the words it cannot sleep on are
// still seen promptly.
constexpr long kFallbackSliceNanos = 5 * 1000000L;

std::atomic<bool> waitv_missing{false};

timespec Add(timespec t, long nanos) {
  t.tv_nsec += nanos;
  t.tv_sec += t.tv_nsec / kNanosPerSecond;
  t.tv_nsec %= kNanosPerSecond;
  return t;
}

long NanosUntil(const timespec& deadline) {
  const timespec now = MonotonicNow();
  return (deadline.tv_sec - now.tv_sec) * kNanosPerSecond + (deadline.tv_nsec - now.tv_nsec);
}

bool WaitVector(const FutexWaiter* waiters, std::size_t count, const timespec* deadline) {
  futex_waitv vector[8] = {};
  count = std::min<std::size_t>(count, 8);
  for (std::size_t i = 0; i < count; ++i) {
    vector[i].val = waiters[i].expected;
    vector[i].uaddr = reinterpret_cast<std::uintptr_t>(waiters[i].word);
    vector[i].flags = FUTEX_32 | (waiters[i].shared ? 0 : FUTEX_PRIVATE_FLAG);
  }
  const long rc = ::syscall(SYS_futex_waitv, vector, count, 0, deadline, CLOCK_MONOTONIC);
  return rc >= 0 || errno != ENOSYS;
}

void WaitFirstInSlices(const FutexWaiter& waiter, const timespec* deadline) {
  long nanos = kFallbackSliceNanos;
  if (deadline != nullptr) nanos = std::clamp(NanosUntil(*deadline), 0L, kFallbackSliceNanos);
  const timespec relative{0, nanos};
  const int op = FUTEX_WAIT | (waiter.shared ? 0 : FUTEX_PRIVATE_FLAG);
  ::syscall(SYS_futex, waiter.word, op, waiter.expected, &relative, nullptr, 0);
}

}  // namespace

void FutexWaitAny(const FutexWaiter* waiters, std::size_t count, const timespec* deadline) {
  if (count == 0) return;
  if (!waitv_missing.load(std::memory_order_relaxed)) {
    if (WaitVector(waiters, count, deadline)) return;
    waitv_missing.store(true, std::memory_order_relaxed);
  }
  WaitFirstInSlices(waiters[0], deadline);
}

void FutexWake(const std::uint32_t* word, bool shared, int count) {
  const int op = FUTEX_WAKE | (shared ? 0 : FUTEX_PRIVATE_FLAG);
  ::syscall(SYS_futex, word, op, count, nullptr, nullptr, 0);
}

timespec MonotonicNow() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return now;
}

timespec MonotonicAfter(std::uint32_t milliseconds) {
  return Add(MonotonicNow(), static_cast<long>(milliseconds) * 1000000L);
}

bool IsBefore(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

std::uint32_t MillisecondsUntil(const timespec& deadline) {
  const long nanos = NanosUntil(deadline);
  return nanos <= 0 ? 0 : static_cast<std::uint32_t>((nanos + 999999) / 1000000);
}

}  // namespace platform::detail
