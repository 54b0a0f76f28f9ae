#include "cef_string.h"

#include "platform/unicode.h"

CefString::CefString(const std::string& utf8) : text_(platform::Utf8ToUtf16(utf8)) {}

CefString::CefString(const char* utf8) : text_(utf8 ? platform::Utf8ToUtf16(utf8) : std::u16string()) {}

std::string CefString::ToString() const {
  return platform::Utf16ToUtf8(text_);
}
