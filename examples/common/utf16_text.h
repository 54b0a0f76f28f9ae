// UTF-8 <-> UTF-16 for the example programs: the libraries take and give
// UTF-16 text (char16_t), while command lines and terminals use UTF-8.
// Header only, standard library only, so that a program built against an
// installed copy of the libraries can use it too. Ill-formed input becomes
// U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace example_text {

inline void AppendUtf16(char32_t c, std::u16string& out) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

inline void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    out += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    out += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
}

// The code point that starts at text[at]; `at` moves past it (past one byte
// when it is ill-formed).
inline char32_t NextUtf8(std::string_view text, std::size_t& at) {
  const unsigned char lead = static_cast<unsigned char>(text[at++]);
  const int trailing = lead < 0x80 ? 0 : lead < 0xC0 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF8 ? 3 : -1;
  if (trailing < 0) return 0xFFFD;
  char32_t c = trailing == 0 ? lead : lead & (0x3F >> trailing);
  std::size_t end = at + trailing;
  if (end > text.size()) return 0xFFFD;
  for (std::size_t i = at; i < end; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
    c = c << 6 | (static_cast<unsigned char>(text[i]) & 0x3F);
  }
  static constexpr char32_t kLowest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kLowest[trailing] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return 0xFFFD;
  at = end;
  return c;
}

}  // namespace example_text

inline std::u16string Utf16(std::string_view utf8) {
  std::u16string out;
  for (std::size_t at = 0; at < utf8.size();) example_text::AppendUtf16(example_text::NextUtf8(utf8, at), out);
  return out;
}

inline std::string Utf8(std::u16string_view utf16) {
  std::string out;
  for (std::size_t at = 0; at < utf16.size(); ++at) {
    char32_t c = utf16[at];
    const bool pair = c >= 0xD800 && c < 0xDC00 && at + 1 < utf16.size() && utf16[at + 1] >= 0xDC00 &&
                      utf16[at + 1] < 0xE000;
    if (pair) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++at] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    example_text::AppendUtf8(c, out);
  }
  return out;
}

// A null text gives "".
inline std::string Utf8(const char16_t* utf16) { return utf16 != nullptr ? Utf8(std::u16string_view(utf16)) : ""; }
