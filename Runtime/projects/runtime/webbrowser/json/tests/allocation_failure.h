// Injected allocation failures: this test binary replaces the global
// operator new, and while a ScopedAllocationFailure lives on a thread, that
// thread's allocations fail with std::bad_alloc once `successes` more have
// succeeded. RapidJSON's structures allocate through JsonAllocator, which
// uses operator new, so they fail the same way.
#pragma once

namespace TQJSON {

class ScopedAllocationFailure {
 public:
  explicit ScopedAllocationFailure(long successes);
  ~ScopedAllocationFailure();
  ScopedAllocationFailure(const ScopedAllocationFailure&) = delete;
  ScopedAllocationFailure& operator=(const ScopedAllocationFailure&) = delete;

  // How many allocations failed while the object lived.
  long failures() const;
};

}  // namespace TQJSON
