#include "out_string_block.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/wide_string.h"

bool SetOutString(OutString*& block, const char16_t* text) {
  FreeOutString(block);
  const std::size_t length = platform::WLength(text);
  if (length == 0 || length > std::numeric_limits<std::uint32_t>::max()) return false;
  // Four bytes beyond the terminator are allocated and left unwritten.
  auto* bytes = static_cast<unsigned char*>(std::malloc(2 * length + 10));
  if (bytes == nullptr) return false;
  const auto stored_length = static_cast<std::uint32_t>(length);
  std::memcpy(bytes, &stored_length, sizeof stored_length);
  std::memcpy(bytes + 4, text, 2 * length);
  std::memset(bytes + 4 + 2 * length, 0, 2);
  block = reinterpret_cast<OutString*>(bytes);
  return true;
}

void FreeOutString(OutString*& block) {
  std::free(block);
  block = nullptr;
}
