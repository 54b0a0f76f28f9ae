#include "platform/codepage.h"

#include <array>

namespace platform {
namespace {

// Windows-1252 0x80..0x9F; the five bytes Windows leaves unassigned map to
// the C1 control of the same value. Every other byte is its own code point.
constexpr std::array<WChar, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

WChar DecodeByte(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : static_cast<WChar>(byte);
}

// The byte of a unit, or -1 when Windows-1252 has no byte for it.
int EncodeUnit(WChar unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == unit) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

WString AnsiToUtf16(std::string_view bytes) {
  WString out;
  out.reserve(bytes.size());
  for (char byte : bytes) out += DecodeByte(static_cast<unsigned char>(byte));
  return out;
}

std::string Utf16ToAnsi(WStringView text, bool* used_default) {
  std::string out;
  out.reserve(text.size());
  bool defaulted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int byte = EncodeUnit(text[i]);
    if (byte >= 0) {
      out += static_cast<char>(byte);
      continue;
    }
    // A surrogate pair is one character and gives one '?'.
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (pair) ++i;
    out += '?';
    defaulted = true;
  }
  if (used_default) *used_default = defaulted;
  return out;
}

}  // namespace platform
