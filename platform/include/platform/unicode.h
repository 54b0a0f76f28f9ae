// Conversions between UTF-8, UTF-16 and UTF-32.
//
// The lenient forms never fail: every ill-formed sequence (an invalid or
// truncated UTF-8 sequence, an overlong form, an encoded surrogate, a lone
// UTF-16 surrogate, a code point above U+10FFFF) becomes U+FFFD: one U+FFFD
// for each maximal ill-formed part of UTF-8 (the longest prefix of a valid
// sequence, else a single byte), as the Unicode standard recommends. The
// strict forms return std::nullopt on the first ill-formed sequence instead.
// All functions are pure and may be called from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text_types.h"

namespace platform {

WString Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(WStringView utf16);
std::u32string Utf16ToUtf32(WStringView utf16);
WString Utf32ToUtf16(std::u32string_view utf32);
std::u32string Utf8ToUtf32(std::string_view utf8);
std::string Utf32ToUtf8(std::u32string_view utf32);

std::optional<WString> Utf8ToUtf16Strict(std::string_view utf8);
std::optional<std::string> Utf16ToUtf8Strict(WStringView utf16);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// UTF-16 as bytes, little-endian or big-endian, without a byte-order mark,
// unit for unit (lone surrogates included). Reading ignores a last odd
// byte.
WString Utf16FromBytes(std::string_view bytes, bool big_endian);
void AppendUtf16Bytes(WStringView text, bool big_endian, std::string& bytes);

}  // namespace platform
