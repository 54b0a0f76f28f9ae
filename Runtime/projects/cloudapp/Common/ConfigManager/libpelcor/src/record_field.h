// Copying text into the fixed-width UTF-16 fields of caller records: at
// most N-1 units, always terminated, never ending inside a surrogate pair.
// A longer text is cut silently. Reading a field stops at its terminator or
// at its end, whichever comes first.
#pragma once

#include <cstddef>

#include "platform/text_types.h"
#include "platform/wide_string.h"

template <std::size_t N>
void CopyToField(char16_t (&field)[N], platform::WStringView text) {
  platform::WCopyTruncated(field, N, text);
}

// The text that the caller put into a field: up to its first zero, and never
// beyond the field (a field without a terminator gives all N units).
template <std::size_t N>
platform::WStringView FieldText(const char16_t (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != u'\0') ++length;
  return platform::WStringView(field, length);
}
