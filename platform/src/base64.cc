#include "platform/base64.h"

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(WChar c) {
  if (c >= u'A' && c <= u'Z') return c - u'A';
  if (c >= u'a' && c <= u'z') return c - u'a' + 26;
  if (c >= u'0' && c <= u'9') return c - u'0' + 52;
  if (c == u'+') return 62;
  if (c == u'/') return 63;
  return -1;
}

bool IsSpace(WChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

WString Base64Encode(std::string_view bytes) {
  WString out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= n ? static_cast<WChar>(kAlphabet[group >> (18 - 6 * k) & 0x3F]) : u'=';
    }
  }
  return out;
}

std::optional<std::string> Base64Decode(WStringView text) {
  std::string out;
  out.reserve(text.size() / 4 * 3 + 3);
  std::uint32_t bits = 0;
  std::size_t pending = 0;  // characters of the current group of four
  std::size_t padding = 0;
  for (WChar c : text) {
    if (IsSpace(c)) continue;
    if (c == u'=') {
      // Padding only completes a group of two or three characters.
      if (pending < 2 || pending + padding >= 4) return std::nullopt;
      ++padding;
      continue;
    }
    const int sextet = SextetOf(c);
    if (sextet < 0 || padding > 0) return std::nullopt;
    bits = bits << 6 | static_cast<std::uint32_t>(sextet);
    if (++pending == 4) {
      out += static_cast<char>(bits >> 16 & 0xFF);
      out += static_cast<char>(bits >> 8 & 0xFF);
      out += static_cast<char>(bits & 0xFF);
      bits = 0;
      pending = 0;
    }
  }
  if (pending == 1) return std::nullopt;
  if (pending == 2) out += static_cast<char>(bits >> 4 & 0xFF);
  if (pending == 3) {
    out += static_cast<char>(bits >> 10 & 0xFF);
    out += static_cast<char>(bits >> 2 & 0xFF);
  }
  return out;
}

}  // namespace platform
