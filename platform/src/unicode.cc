#include "platform/unicode.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kInvalid = 0xFFFFFFFF;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsScalar(char32_t c) { return c <= 0x10FFFF && !IsSurrogate(c); }

// Decodes one UTF-8 sequence at `pos` and advances past it. An ill-formed
// sequence yields kInvalid and consumes its maximal valid prefix (at least
// one byte), so each bad stretch becomes exactly one U+FFFD, as the Unicode
// standard recommends.
char32_t DecodeUtf8(std::string_view in, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(in[i]); };
  const unsigned char lead = byte(pos++);
  if (lead < 0x80) return lead;
  int extra;
  char32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the first continuation byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;  // overlong
    if (lead == 0xED) hi = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;  // overlong
    if (lead == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    return kInvalid;
  }
  for (int i = 0; i < extra; ++i, lo = 0x80, hi = 0xBF) {
    if (pos >= in.size() || byte(pos) < lo || byte(pos) > hi) return kInvalid;
    cp = (cp << 6) | (byte(pos++) & 0x3F);
  }
  return cp;
}

// Decodes one code point of UTF-16 at `pos`; a lone surrogate is kInvalid.
char32_t DecodeUtf16(WStringView in, std::size_t& pos) {
  const char32_t unit = in[pos++];
  if (!IsSurrogate(unit)) return unit;
  if (IsHighSurrogate(unit) && pos < in.size() && IsLowSurrogate(in[pos])) {
    return 0x10000 + ((unit - 0xD800) << 10) + (in[pos++] - 0xDC00);
  }
  return kInvalid;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(WString& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<WChar>(c);
  } else {
    c -= 0x10000;
    out += static_cast<WChar>(0xD800 + (c >> 10));
    out += static_cast<WChar>(0xDC00 + (c & 0x3FF));
  }
}

void AppendUtf32(std::u32string& out, char32_t c) { out += c; }

// ASCII is the same single unit in every encoding: copies the run of it
// that starts at `pos` straight to `out` and returns where the run ends.
template <typename In, typename Out>
std::size_t CopyAsciiRun(In in, std::size_t pos, Out& out) {
  std::size_t end = pos;
  while (end < in.size() && static_cast<std::uint32_t>(in[end]) < 0x80) ++end;
  if (end == pos) return pos;
  const std::size_t start = out.size();
  out.resize(start + (end - pos));
  for (std::size_t i = pos; i < end; ++i) out[start + (i - pos)] = static_cast<typename Out::value_type>(in[i]);
  return end;
}

// Runs `decode` over the whole input and hands every code point to
// `append`. Lenient: an ill-formed sequence becomes U+FFFD. Strict: the
// first one ends the conversion with nullopt.
template <typename Out, typename In, typename Decode, typename Append>
std::optional<Out> Convert(In in, Decode decode, Append append, bool strict) {
  Out out;
  out.reserve(in.size());
  std::size_t pos = 0;
  while (pos < in.size()) {
    pos = CopyAsciiRun(in, pos, out);
    if (pos == in.size()) break;
    char32_t c = decode(in, pos);
    if (c == kInvalid) {
      if (strict) return std::nullopt;
      c = kReplacement;
    }
    append(out, c);
  }
  return out;
}

char32_t DecodeUtf32(std::u32string_view in, std::size_t& pos) {
  const char32_t c = in[pos++];
  return IsScalar(c) ? c : kInvalid;
}

}  // namespace

WString Utf8ToUtf16(std::string_view utf8) {
  return *Convert<WString>(utf8, DecodeUtf8, AppendUtf16, false);
}

std::string Utf16ToUtf8(WStringView utf16) {
  return *Convert<std::string>(utf16, DecodeUtf16, AppendUtf8, false);
}

std::u32string Utf16ToUtf32(WStringView utf16) {
  return *Convert<std::u32string>(utf16, DecodeUtf16, AppendUtf32, false);
}

WString Utf32ToUtf16(std::u32string_view utf32) {
  return *Convert<WString>(utf32, DecodeUtf32, AppendUtf16, false);
}

std::u32string Utf8ToUtf32(std::string_view utf8) {
  return *Convert<std::u32string>(utf8, DecodeUtf8, AppendUtf32, false);
}

std::string Utf32ToUtf8(std::u32string_view utf32) {
  return *Convert<std::string>(utf32, DecodeUtf32, AppendUtf8, false);
}

std::optional<WString> Utf8ToUtf16Strict(std::string_view utf8) {
  return Convert<WString>(utf8, DecodeUtf8, AppendUtf16, true);
}

std::optional<std::string> Utf16ToUtf8Strict(WStringView utf16) {
  return Convert<std::string>(utf16, DecodeUtf16, AppendUtf8, true);
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (DecodeUtf8(bytes, pos) == kInvalid) return false;
  }
  return true;
}

WString Utf16FromBytes(std::string_view bytes, bool big_endian) {
  WString text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<WChar>(big_endian ? (first << 8) | second : (second << 8) | first);
  }
  return text;
}

void AppendUtf16Bytes(WStringView text, bool big_endian, std::string& bytes) {
  bytes.reserve(bytes.size() + 2 * text.size());
  for (const WChar unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
}

}  // namespace platform
