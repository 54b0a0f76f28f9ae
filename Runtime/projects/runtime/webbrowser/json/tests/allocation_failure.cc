#include "allocation_failure.h"

#include <cstdlib>
#include <new>

namespace TQJSON {
namespace {

// -1: no failure is armed on this thread.
thread_local long successes_left = -1;
thread_local long failed_allocations = 0;

}  // namespace

ScopedAllocationFailure::ScopedAllocationFailure(long successes) {
  successes_left = successes;
  failed_allocations = 0;
}

ScopedAllocationFailure::~ScopedAllocationFailure() { successes_left = -1; }

long ScopedAllocationFailure::failures() const { return failed_allocations; }

}  // namespace TQJSON

void* operator new(std::size_t size) {
  using TQJSON::failed_allocations;
  using TQJSON::successes_left;
  if (successes_left == 0) {
    ++failed_allocations;
    throw std::bad_alloc();
  }
  if (successes_left > 0) --successes_left;
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
