// Base64 (RFC 4648 alphabet with "=" padding), as the Windows crypto string
// conversions do it.
// Thread safety: pure functions, any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text_types.h"

namespace platform {

// One line, no line breaks, padded.
WString Base64Encode(std::string_view bytes);

// Decodes base64 text. Whitespace (space, tab, CR, LF) anywhere is ignored;
// padding is optional at the end. Any other character outside the alphabet,
// "=" before the end, or a dangling single character gives nullopt.
std::optional<std::string> Base64Decode(WStringView text);

}  // namespace platform
