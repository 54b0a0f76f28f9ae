// The library's three text conversions.
//
// On Linux the "multibyte" encoding of the C library is UTF-8 whatever the
// process locale says, so ToMultiByte and ToWide convert UTF-8 themselves;
// they never fail (ill-formed input becomes U+FFFD). ToUtf8 is strict: text
// it cannot convert (a lone surrogate) gives "" and a line on standard
// error, the library's debugger output. Pure functions, any thread.
#pragma once

#include <string>

#include "platform/text_types.h"

std::string ToUtf8(const platform::WString& text);
std::string ToMultiByte(const char16_t* text);  // null gives ""
platform::WString ToWide(const char* text);     // null gives ""

// Writes one diagnostic line to standard error.
void DebugOutput(const std::string& line);
