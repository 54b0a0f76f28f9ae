// The document memory pool, and the room it reserves ahead of time.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "allocation_failure.h"
#include "tqjson/json_memory_pool.h"

namespace TQJSON {
namespace {

TEST(JsonMemoryPool, CarvesAlignedAllocationsAndGrowsTheNewestInPlace) {
  JsonMemoryPool pool;
  EXPECT_EQ(pool.Malloc(0), nullptr);
  char* first = static_cast<char*>(pool.Malloc(3));
  char* second = static_cast<char*>(pool.Malloc(5));
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(second) % 8, 0u);
  EXPECT_EQ(second, first + 8);
  std::memcpy(second, "abcd", 5);
  EXPECT_EQ(pool.Realloc(second, 5, 100), second);   // the newest grows in place
  EXPECT_EQ(pool.Realloc(second, 100, 50), second);  // and never shrinks
  char* moved = static_cast<char*>(pool.Realloc(first, 3, 16));
  EXPECT_NE(moved, first);
  char* big = static_cast<char*>(pool.Realloc(second, 100, 200000));  // beyond a block
  EXPECT_STREQ(big, "abcd");
}

TEST(JsonMemoryPool, ReservedRoomNeedsNoOutsideMemory) {
  JsonMemoryPool pool;
  pool.Malloc(64 * 1024 - 64);  // the first block is nearly full
  pool.Reserve(100000);
  void* served = nullptr;
  {
    ScopedAllocationFailure failure(0);
    served = pool.Malloc(100000);
    EXPECT_EQ(failure.failures(), 0);
  }
  EXPECT_NE(served, nullptr);
  ScopedAllocationFailure failure(0);
  EXPECT_THROW(pool.Malloc(100000), std::bad_alloc);
}

}  // namespace
}  // namespace TQJSON
