#include "tqjson/json_allocator.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace TQJSON {

void* JsonAllocator::Malloc(std::size_t size) { return size == 0 ? nullptr : ::operator new(size); }

void* JsonAllocator::Realloc(void* original, std::size_t original_size, std::size_t new_size) {
  if (new_size == 0) {
    Free(original);
    return nullptr;
  }
  void* grown = ::operator new(new_size);
  if (original != nullptr) std::memcpy(grown, original, std::min(original_size, new_size));
  Free(original);
  return grown;
}

void JsonAllocator::Free(void* pointer) { ::operator delete(pointer); }

}  // namespace TQJSON
