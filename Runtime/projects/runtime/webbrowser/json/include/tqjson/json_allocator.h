// The base allocator of every RapidJSON structure of the library (memory
// pools, writer stacks, text and byte buffers). It allocates with the
// global operator new, so exhaustion throws std::bad_alloc instead of
// handing RapidJSON a null pointer it does not always check; an allocation
// of 0 bytes gives null, as RapidJSON expects. Stateless, any thread.
#pragma once

#include <cstddef>

namespace TQJSON {

class JsonAllocator {
 public:
  static const bool kNeedFree = true;

  void* Malloc(std::size_t size);
  void* Realloc(void* original, std::size_t original_size, std::size_t new_size);
  static void Free(void* pointer);
};

}  // namespace TQJSON
