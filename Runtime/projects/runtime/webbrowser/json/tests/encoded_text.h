// Text in the byte forms of UTF-16 and UTF-32, for tests of what the
// library reads and writes.
#pragma once

#include <string>
#include <string_view>

#include "platform/unicode.h"

namespace TQJSON {

inline std::string Utf16Bytes(std::u16string_view text, bool big_endian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

inline std::string Utf32Bytes(std::u16string_view text, bool big_endian) {
  std::string bytes;
  for (const char32_t point : platform::Utf16ToUtf32(text)) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(point >> (8 * (big_endian ? 3 - i : i)));
  }
  return bytes;
}

}  // namespace TQJSON
