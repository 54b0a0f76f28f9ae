#include "text_conversion.h"

#include <cstdio>

#include "platform/unicode.h"

std::string ToUtf8(const platform::WString& text) {
  std::optional<std::string> utf8 = platform::Utf16ToUtf8Strict(text);
  if (!utf8) {
    DebugOutput("ToUtf8: the text holds a lone surrogate and cannot be converted");
    return std::string();
  }
  return std::move(*utf8);
}

std::string ToMultiByte(const char16_t* text) {
  return text ? platform::Utf16ToUtf8(text) : std::string();
}

platform::WString ToWide(const char* text) {
  return text ? platform::Utf8ToUtf16(text) : platform::WString();
}

void DebugOutput(const std::string& line) {
  std::fprintf(stderr, "libdrossel: %s\n", line.c_str());
}
