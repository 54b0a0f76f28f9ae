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

// Encodes each character; one outside Windows-1252 becomes '?' (a
// surrogate pair, one character, gives one '?'; so does a lone surrogate).
// *used_default, when given, tells whether any '?' was substituted.
std::string Utf16ToAnsi(WStringView text, bool* used_default = nullptr);

}  // namespace platform
