#include "text_conversion.h"

#include "platform/codepage.h"
#include "platform/unicode.h"

std::string WideToUtf8(platform::WStringView text) { return platform::Utf16ToUtf8(text); }

platform::WString Utf8ToWide(std::string_view bytes) { return platform::Utf8ToUtf16(bytes); }

std::string WideToAnsi(platform::WStringView text) {
  return platform::Utf16ToAnsi(text.substr(0, text.find(u'\0')));
}
