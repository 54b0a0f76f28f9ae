// The length-prefixed out-string: a text of unbounded length that the
// library hands to its caller inside records and through
// ICloudConfigManager::SetString.
//
// A block of the C heap (malloc), little-endian:
//   offset 0           4 bytes   length in UTF-16 units (unsigned)
//   offset 4           2*length  the characters
//   offset 4+2*length  2 bytes   a zero character
// followed by four bytes that are allocated but never written. A pointer to
// a block points at its first byte (the length), not at the characters. A
// block always holds at least one character: an empty text is a null
// pointer. Blocks are freed only through ICloudConfigManager::FreeString
// (or FreeBuffer).
#pragma once

#include <cstdint>
#include <cstring>

// Opaque: read a block with the two functions below.
struct OutString;

// The number of UTF-16 units of the block's text; 0 for a null block.
inline std::uint32_t OutStringLength(const OutString* block) {
  if (block == nullptr) return 0;
  std::uint32_t length;
  std::memcpy(&length, block, sizeof length);
  return length;
}

// The block's zero-terminated characters; u"" for a null block.
inline const char16_t* OutStringText(const OutString* block) {
  if (block == nullptr) return u"";
  return reinterpret_cast<const char16_t*>(reinterpret_cast<const unsigned char*>(block) + 4);
}
