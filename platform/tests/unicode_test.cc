#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/unicode.h"

namespace platform {
namespace {

const WString kReplacement(1, 0xFFFD);

TEST(Unicode, SurrogatePairsRoundTripThroughEveryForm) {
  const std::string utf8 = "a\xF0\x9F\x98\x80z\xF4\x8F\xBF\xBF";  // U+1F600, U+10FFFF
  const WString utf16 = u"a\U0001F600z\U0010FFFF";
  const std::u32string utf32 = U"a\U0001F600z\U0010FFFF";
  EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
  EXPECT_EQ(Utf16ToUtf32(utf16), utf32);
  EXPECT_EQ(Utf32ToUtf16(utf32), utf16);
  EXPECT_EQ(Utf8ToUtf32(utf8), utf32);
  EXPECT_EQ(Utf32ToUtf8(utf32), utf8);
  EXPECT_EQ(Utf8ToUtf16Strict(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8Strict(utf16), utf8);
}

TEST(Unicode, LoneSurrogatesBecomeReplacementOrFailStrictly) {
  const WString high_alone{u'a', 0xD83D, u'b'};
  const WString low_alone{0xDE00, u'c'};
  const WString reversed{0xDE00, 0xD83D};
  const WString high_at_end{u'x', 0xD83D};
  EXPECT_EQ(Utf16ToUtf8(high_alone), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(Utf16ToUtf8(low_alone), "\xEF\xBF\xBD" "c");
  EXPECT_EQ(Utf16ToUtf8(reversed), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(high_at_end), "x\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf32(high_alone), (std::u32string{U'a', 0xFFFD, U'b'}));
  for (const WString& bad : {high_alone, low_alone, reversed, high_at_end}) {
    EXPECT_FALSE(Utf16ToUtf8Strict(bad).has_value());
  }
  // UTF-32 surrogates and values beyond U+10FFFF are not characters either.
  EXPECT_EQ(Utf32ToUtf16(std::u32string{0xD800, 0x110000, U'q'}), (WString{0xFFFD, 0xFFFD, u'q'}));
  EXPECT_EQ(Utf32ToUtf8(std::u32string{0xDFFF}), "\xEF\xBF\xBD");
}

TEST(Unicode, IllFormedUtf8BecomesOneReplacementPerMaximalPart) {
  struct Case {
    std::string bytes;
    WString expected;
  };
  const WString r = kReplacement;
  const Case cases[] = {
      {"\x80", r},                                   // stray continuation
      {"\xC0\xAF", r + r},                           // overlong "/"
      {"\xE0\x80\xAF", r + r + r},                   // overlong, 3 bytes
      {"\xF0\x80\x80\xAF", r + r + r + r},           // overlong, 4 bytes
      {"\xED\xA0\x80", r + r + r},                   // encoded surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},           // above U+10FFFF
      {"\xF5\x80", r + r},                           // impossible lead byte
      {"\xE2\x82", r},                               // truncated at the end
      {"\xE2\x82" "A", r + u"A"},                    // truncated in the middle
      {"\xF0\x9F\x98", r},                           // truncated 4-byte form
      {"a\xFF" "b", u"a" + r + u"b"},
      {std::string("\0x", 2), WString(u"\0x", 2)},  // NUL is a character
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.bytes), c.expected) << testing::PrintToString(c.bytes);
    EXPECT_EQ(IsValidUtf8(c.bytes), c.expected.find(0xFFFD) == WString::npos);
    EXPECT_EQ(Utf8ToUtf16Strict(c.bytes).has_value(), IsValidUtf8(c.bytes));
  }
  EXPECT_EQ(Utf8ToUtf32("\xC3\xA9\xE0\x80"), (std::u32string{0xE9, 0xFFFD, 0xFFFD}));
}

TEST(Unicode, BoundariesOfEachEncodedLength) {
  const std::u32string edges = {0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFF, 0x10000, 0x10FFFF};
  const std::string utf8 = Utf32ToUtf8(edges);
  EXPECT_EQ(utf8.size(), 1u + 2 + 2 + 3 + 3 + 3 + 3 + 4 + 4);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToUtf32(utf8), edges);
  EXPECT_EQ(Utf16ToUtf32(Utf32ToUtf16(edges)), edges);
}

TEST(Unicode, Utf16BytesInEitherByteOrder) {
  const WString text = u"A\u4E2D\xDC00";
  std::string little = "x";
  AppendUtf16Bytes(text, false, little);
  EXPECT_EQ(little, std::string("xA\0\x2D\x4E\x00\xDC", 7));
  std::string big;
  AppendUtf16Bytes(text, true, big);
  EXPECT_EQ(big, std::string("\0A\x4E\x2D\xDC\x00", 6));
  EXPECT_EQ(Utf16FromBytes(little.substr(1), false), text);
  EXPECT_EQ(Utf16FromBytes(big + "\x01", true), text);  // a last odd byte is no unit
}

TEST(Codepage, AllBytesDecodeAsWindowsMapsThem) {
  const std::pair<unsigned char, WChar> high[] = {
      {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A}, {0x83, 0x0192}, {0x8A, 0x0160}, {0x8C, 0x0152},
      {0x8D, 0x008D}, {0x8E, 0x017D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x91, 0x2018}, {0x96, 0x2013},
      {0x99, 0x2122}, {0x9D, 0x009D}, {0x9E, 0x017E}, {0x9F, 0x0178}};
  for (const auto& [byte, unit] : high) {
    EXPECT_EQ(AnsiToUtf16(std::string(1, static_cast<char>(byte))), WString(1, unit)) << int(byte);
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const WString decoded = AnsiToUtf16(all);
  ASSERT_EQ(decoded.size(), 256u);
  for (int b = 0; b < 256; ++b) {
    if (b < 0x80 || b >= 0xA0) {
      EXPECT_EQ(decoded[b], b);
    }
  }
  // Every byte survives the round trip, the C1 leftovers included.
  bool used_default = true;
  EXPECT_EQ(Utf16ToAnsi(decoded, &used_default), all);
  EXPECT_FALSE(used_default);
}

TEST(Codepage, CharactersOutsideBecomeQuestionMarks) {
  bool used_default = false;
  EXPECT_EQ(Utf16ToAnsi(u"\u20AC\u4E2D\U0001F600x", &used_default), "\x80??x");
  EXPECT_TRUE(used_default);
  EXPECT_EQ(Utf16ToAnsi(WString{0xD800, u'a'}), "?a");
  EXPECT_EQ(Utf16ToAnsi(u"\u0080\u0100"), "??");  // U+0080 has no byte: 0x80 is the euro
}

}  // namespace
}  // namespace platform
