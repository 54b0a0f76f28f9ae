#include "json_text_writer.h"

#include <algorithm>

namespace TQJSON {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUnicodeEscape(std::u16string& out, char16_t unit) {
  static const char16_t kHexDigits[] = u"0123456789ABCDEF";
  out += u"\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(unit >> shift) & 0xF];
}

// The letter of RapidJSON's two-character escape for a unit, or 0.
char16_t ShortEscapeOf(char16_t unit) {
  switch (unit) {
    case u'"':
      return u'"';
    case u'\\':
      return u'\\';
    case u'\b':
      return u'b';
    case u'\f':
      return u'f';
    case u'\n':
      return u'n';
    case u'\r':
      return u'r';
    case u'\t':
      return u't';
    default:
      return 0;
  }
}

}  // namespace

bool HasUnpairedSurrogate(const char16_t* text, std::size_t length) {
  // Most texts hold no surrogate at all; this scan vectorises.
  if (std::none_of(text, text + length, [](char16_t unit) { return (unit & 0xF800) == 0xD800; })) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (IsHighSurrogate(text[i])) {
      if (i + 1 == length || !IsLowSurrogate(text[i + 1])) return true;
      ++i;
    } else if (IsLowSurrogate(text[i])) {
      return true;
    }
  }
  return false;
}

std::u16string AsciiStringLiteral(const char16_t* text, std::size_t length) {
  std::u16string literal(1, u'"');
  for (std::size_t i = 0; i < length; ++i) {
    const char16_t unit = text[i];
    if (const char16_t letter = ShortEscapeOf(unit)) {
      literal += u'\\';
      literal += letter;
    } else if (unit < 0x20 || unit >= 0x80) {
      AppendUnicodeEscape(literal, unit);
    } else {
      literal += unit;
    }
  }
  return literal + u'"';
}

}  // namespace TQJSON
