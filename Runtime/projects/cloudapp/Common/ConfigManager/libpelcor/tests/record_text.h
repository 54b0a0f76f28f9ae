// Test helpers for the fixed-width text fields of caller records and for
// the UTF-16 texts the library hands out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/unicode.h"

namespace pelcor_test {

// Puts `text` into a field, cut to N-1 units and terminated.
template <std::size_t N>
void Put(char16_t (&field)[N], std::u16string_view text) {
  const std::size_t length = text.size() < N ? text.size() : N - 1;
  text.copy(field, length);
  field[length] = u'\0';
}

// A field's text, up to its terminator (never beyond the field).
template <std::size_t N>
std::u16string Text(const char16_t (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != u'\0') ++length;
  return std::u16string(field, length);
}

// A text from the library, as UTF-8 for readable comparisons.
inline std::string Utf8(const char16_t* text) {
  return text != nullptr ? platform::Utf16ToUtf8(text) : std::string("(null)");
}

inline std::u16string Utf16(std::string_view utf8) { return platform::Utf8ToUtf16(utf8); }

}  // namespace pelcor_test
