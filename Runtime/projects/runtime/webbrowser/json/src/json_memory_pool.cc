#include "tqjson/json_memory_pool.h"

#include <algorithm>
#include <cstring>

#include "tqjson/json_allocator.h"

namespace TQJSON {
namespace {

constexpr std::size_t Aligned(std::size_t size) { return (size + 7) & ~std::size_t{7}; }

}  // namespace

struct JsonMemoryPool::Block {
  Block* previous;
  std::size_t capacity;
  std::size_t used;

  char* data() { return reinterpret_cast<char*>(this) + Aligned(sizeof(Block)); }
};

JsonMemoryPool::~JsonMemoryPool() {
  JsonAllocator::Free(spare_);
  while (head_ != nullptr) {
    Block* previous = head_->previous;
    JsonAllocator::Free(head_);
    head_ = previous;
  }
}

JsonMemoryPool::Block* JsonMemoryPool::NewBlock(std::size_t capacity) {
  void* memory = JsonAllocator().Malloc(Aligned(sizeof(Block)) + capacity);
  return new (memory) Block{nullptr, capacity, 0};
}

bool JsonMemoryPool::HeadHasRoom(std::size_t size) const {
  return head_ != nullptr && head_->capacity - head_->used >= size;
}

void JsonMemoryPool::UseNewBlock(std::size_t capacity) {
  Block* block = spare_;
  if (block != nullptr && block->capacity >= capacity) {
    spare_ = nullptr;
  } else {
    block = NewBlock(capacity);
  }
  block->previous = head_;
  head_ = block;
}

void JsonMemoryPool::Reserve(std::size_t size) {
  size = Aligned(size);
  if (HeadHasRoom(size) || (spare_ != nullptr && spare_->capacity >= size)) return;
  Block* block = NewBlock(std::max(kBlockSize, size));
  JsonAllocator::Free(spare_);
  spare_ = block;
}

void* JsonMemoryPool::Malloc(std::size_t size) {
  if (size == 0) return nullptr;
  size = Aligned(size);
  if (!HeadHasRoom(size)) UseNewBlock(std::max(kBlockSize, size));
  void* allocation = head_->data() + head_->used;
  head_->used += size;
  return allocation;
}

void* JsonMemoryPool::Realloc(void* original, std::size_t original_size, std::size_t new_size) {
  if (original == nullptr) return Malloc(new_size);
  if (new_size == 0) return nullptr;
  original_size = Aligned(original_size);
  new_size = Aligned(new_size);
  if (original_size >= new_size) return original;
  const bool newest = original == head_->data() + head_->used - original_size;
  if (newest && HeadHasRoom(new_size - original_size)) {
    head_->used += new_size - original_size;
    return original;
  }
  void* moved = Malloc(new_size);
  std::memcpy(moved, original, original_size);
  return moved;
}

}  // namespace TQJSON
