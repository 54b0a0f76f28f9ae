// Copying text into the fixed-width UTF-16 fields of caller records: at
// most N-1 units, always terminated, never ending inside a surrogate pair.
// A longer text is cut silently.
#pragma once

#include <cstddef>

#include "platform/text_types.h"
#include "platform/wide_string.h"

template <std::size_t N>
void CopyToField(char16_t (&field)[N], platform::WStringView text) {
  platform::WCopyTruncated(field, N, text);
}
