// The memory pool of one document, used like RapidJSON's
// MemoryPoolAllocator: blocks of 64 KiB (or larger for large requests)
// taken from JsonAllocator, allocations carved from the newest block,
// nothing freed before the pool itself.
//
// It adds Reserve. RapidJSON 1.1 records an object's new capacity before
// it allocates the larger member storage, so a failed allocation there
// would leave a broken object behind; reserving the room first moves the
// failure before any change to the document. When the newest block lacks
// the room, Reserve sets a spare block aside, which the next block request
// uses; at most one spare exists. Not thread-safe.
#pragma once

#include <cstddef>

namespace TQJSON {

class JsonMemoryPool {
 public:
  static const bool kNeedFree = false;

  JsonMemoryPool() = default;
  ~JsonMemoryPool();
  JsonMemoryPool(const JsonMemoryPool&) = delete;
  JsonMemoryPool& operator=(const JsonMemoryPool&) = delete;

  // RapidJSON's allocator interface. Malloc(0) gives null; Realloc never
  // shrinks and grows the newest allocation in place when it can. Both
  // throw std::bad_alloc.
  void* Malloc(std::size_t size);
  void* Realloc(void* original, std::size_t original_size, std::size_t new_size);
  static void Free(void*) {}

  // Makes sure that the next allocation of up to `size` bytes needs no
  // memory from outside the pool. Throws std::bad_alloc.
  void Reserve(std::size_t size);

 private:
  struct Block;
  static constexpr std::size_t kBlockSize = 64 * 1024;

  static Block* NewBlock(std::size_t capacity);
  bool HeadHasRoom(std::size_t size) const;
  // Makes a block of at least `capacity` bytes the newest one.
  void UseNewBlock(std::size_t capacity);

  Block* head_ = nullptr;
  Block* spare_ = nullptr;
};

}  // namespace TQJSON
