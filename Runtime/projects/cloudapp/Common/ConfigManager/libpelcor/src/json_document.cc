#include "json_document.h"

void* ThrowingAllocator::Malloc(std::size_t size) {
  if (size == 0) return nullptr;
  void* block = std::malloc(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void* ThrowingAllocator::Realloc(void* original, std::size_t, std::size_t new_size) {
  if (new_size == 0) {
    std::free(original);
    return nullptr;
  }
  void* block = std::realloc(original, new_size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void JsonDocument::SetParseError(int code, std::size_t offset) {
  error_code_ = code;
  error_offset_ = offset;
}
