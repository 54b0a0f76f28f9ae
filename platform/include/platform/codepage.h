// The "ANSI code page": Windows-1252, mapped byte for byte as Windows maps
// it. All 256 bytes decode (0x81, 0x8D, 0x8F, 0x90 and 0x9D to the C1
// controls of the same value). Pure functions, any thread.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_types.h"

namespace platform {

// Decodes every byte; never fails.
WString AnsiToUtf16(std::string_view bytes);

// Encodes each UTF-16 unit; a character outside Windows-1252 (including a
// surrogate) becomes '?' and sets *used_default when it is given.
std::string Utf16ToAnsi(WStringView text, bool* used_default = nullptr);

}  // namespace platform
