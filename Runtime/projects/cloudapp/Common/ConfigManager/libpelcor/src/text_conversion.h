// Text conversions between UTF-16, UTF-8 and the ANSI code page
// (Windows-1252). They never fail: an ill-formed sequence (invalid UTF-8, a
// lone surrogate) becomes U+FFFD, a character outside the code page '?'.
// An empty input gives an empty result. Pure, any thread.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_types.h"

std::string WideToUtf8(platform::WStringView text);
platform::WString Utf8ToWide(std::string_view bytes);
// Converts up to the first zero character.
std::string WideToAnsi(platform::WStringView text);

// A C string as a view; null is the empty text.
inline platform::WStringView TextView(const char16_t* text) {
  return text != nullptr ? platform::WStringView(text) : platform::WStringView();
}
