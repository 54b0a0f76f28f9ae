#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "platform/base64.h"
#include "platform/format.h"
#include "platform/wide_string.h"

namespace platform {
namespace {

TEST(WideString, LengthAndNoCaseOperationsFoldAsciiOnly) {
  EXPECT_EQ(WLength(nullptr), 0u);
  EXPECT_EQ(WLength(u"ab\U0001F600"), 4u);
  EXPECT_EQ(WCompareNoCase(u"Software\\X", u"SOFTWARE\\x"), 0);
  EXPECT_LT(WCompareNoCase(u"abc", u"ABD"), 0);
  EXPECT_LT(WCompareNoCase(u"ab", u"AB c"), 0);
  // Only A-Z and a-z fold: accented letters compare by code unit.
  EXPECT_FALSE(WEqualsNoCase(u"\u00C9", u"\u00E9"));
  EXPECT_EQ(WToLowerAscii(u"\u00C9Ab1"), u"\u00C9ab1");
  // "[" sorts after "Z" but before "a"; folding puts letters after it.
  EXPECT_GT(WCompareNoCase(u"A", u"["), 0);
  EXPECT_EQ(WFindNoCase(u"Content-LENGTH: 5", u"length"), 8u);
  EXPECT_EQ(WFindNoCase(u"abcABC", u"abc", 1), 3u);
  EXPECT_EQ(WFindNoCase(u"abc", u"abcd"), WStringView::npos);
  EXPECT_EQ(WFindNoCase(u"abc", u"", 9), WStringView::npos);
}

TEST(WideString, ReadsIntegersByWtoiRules) {
  const std::pair<const char16_t*, int> cases[] = {
      {u"42", 42},          {u"  \t\n\v\f\r-17", -17}, {u"+8", 8},
      {u"12abc", 12},       {u"abc", 0},               {u"", 0},
      {u"-", 0},            {u"+-3", 0},               {u" - 3", 0},
      {u"0x1A", 0},         {u"007", 7},               {u"3.9", 3},
      {u"2147483647", INT_MAX},   {u"2147483648", INT_MAX},  {u"99999999999999999999", INT_MAX},
      {u"-2147483648", INT_MIN},  {u"-2147483649", INT_MIN}, {u"-99999999999999999999", INT_MIN},
      {u"\u00A012", 0},     // only ASCII blanks are skipped
      {u"\uFF11", 0},       // full-width digits are not digits
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(WToInt(WStringView(text)), expected) << testing::PrintToString(std::u16string(text));
  }
  EXPECT_EQ(WToInt(static_cast<const WChar*>(nullptr)), 0);
  EXPECT_EQ(WToInt64(u"9223372036854775807"), INT64_MAX);
  EXPECT_EQ(WToInt64(u"9223372036854775808"), INT64_MAX);
  EXPECT_EQ(WToInt64(u"-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(WToInt64(u"-9223372036854775809x"), INT64_MIN);
  EXPECT_EQ(WToInt64(u" 5000000000 "), 5000000000);
}

TEST(WideString, IntegerText) {
  EXPECT_EQ(IntToW(0), u"0");
  EXPECT_EQ(IntToW(-42), u"-42");
  EXPECT_EQ(IntToW(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(UIntToW(UINT64_MAX), u"18446744073709551615");
}

TEST(WideString, TruncatedCopyNeverSplitsASurrogatePair) {
  WChar field[4] = {u'#', u'#', u'#', u'#'};
  EXPECT_EQ(WCopyTruncated(field, 4, u"abcdef"), 3u);
  EXPECT_EQ(WString(field), u"abc");
  // "ab" + U+1F600 needs 4 units; capacity 4 leaves room for 3: the pair goes.
  EXPECT_EQ(WCopyTruncated(field, 4, u"ab\U0001F600"), 2u);
  EXPECT_EQ(WString(field), u"ab");
  EXPECT_EQ(WCopyTruncated(field, 4, u"a\U0001F600"), 3u);
  EXPECT_EQ(WString(field), u"a\U0001F600");
  // A lone high surrogate at the cut is kept: nothing is split.
  EXPECT_EQ(WCopyTruncated(field, 3, WString{u'a', 0xD83D, u'b'}), 2u);
  EXPECT_EQ(WCopyTruncated(field, 1, u"abc"), 0u);
  EXPECT_EQ(field[0], 0);
  field[0] = u'#';
  EXPECT_EQ(WCopyTruncated(field, 0, u"abc"), 0u);
  EXPECT_EQ(field[0], u'#');
}

TEST(Format, ConversionsAsTheSystemUsesThem) {
  EXPECT_EQ(Format(u"%d-%02d-%02d %02d:%02d:%02d.%03d", {2024, 3, 9, 7, 5, 0, 42}), u"2024-03-09 07:05:00.042");
  EXPECT_EQ(Format(u"%I64d-%I64d", {std::int64_t{0}, std::int64_t{9000000000}}), u"0-9000000000");
  EXPECT_EQ(Format(u"%I64d-", {std::int64_t{-1}}), u"-1-");
  EXPECT_EQ(Format(u"%s\\%s", {u"Software\\Corvana", WString(u"22.0")}), u"Software\\Corvana\\22.0");
  EXPECT_EQ(Format(u"HTTP error.(error code: %d)", {404u}), u"HTTP error.(error code: 404)");
  EXPECT_EQ(Format(u"offset: %u.", {std::uint32_t{4000000000u}}), u"offset: 4000000000.");
  EXPECT_EQ(Format(u"%i %c%c", {-7, u'\u4E2D', 65}), u"-7 \u4E2DA");
}

TEST(Format, WidthFlagsAndHex) {
  EXPECT_EQ(Format(u"[%5d][%-5d][%05d][%3d]", {42, 42, -42, 12345}), u"[   42][42   ][-0042][12345]");
  EXPECT_EQ(Format(u"%x %X %08X", {255, 255u, 0xBEEFu}), u"ff FF 0000BEEF");
  EXPECT_EQ(Format(u"[%4s][%-4s]", {u"ab", u"ab"}), u"[  ab][ab  ]");
  // A negative int printed unsigned is its 32-bit two's complement, as on Windows.
  EXPECT_EQ(Format(u"%u %x %I64u", {-1, -1, std::int64_t{-1}}), u"4294967295 ffffffff 18446744073709551615");
  EXPECT_EQ(Format(u"%lld %llu %hd", {INT64_MIN, UINT64_MAX, 5}), u"-9223372036854775808 18446744073709551615 5");
}

TEST(Format, MismatchesAndOddFormatsAreSafe) {
  EXPECT_EQ(Format(u"100%% %q %", {}), u"100% %q %");
  EXPECT_EQ(Format(u"a%db%sc", {}), u"abc");                    // missing arguments
  EXPECT_EQ(Format(u"[%s][%d]", {5, u"x"}), u"[][]");            // wrong kinds write nothing
  EXPECT_EQ(Format(u"[%s][%d]", {static_cast<const WChar*>(nullptr), 3}), u"[][3]");
  EXPECT_EQ(Format(u"%d", {1, 2, 3}), u"1");                     // extra arguments are ignored
  EXPECT_EQ(Format(u"%s", {u"50%d"}), u"50%d");                  // text is not a format
  EXPECT_EQ(Format(u"%99999999999d|", {1}), u"%99999999999d|");  // absurd width is not honoured
}

TEST(Base64, EncodesOneLineWithPadding) {
  EXPECT_EQ(Base64Encode(""), u"");
  EXPECT_EQ(Base64Encode("f"), u"Zg==");
  EXPECT_EQ(Base64Encode("fo"), u"Zm8=");
  EXPECT_EQ(Base64Encode(std::string("\xFB\xFF\x00", 3)), u"+/8A");
  EXPECT_EQ(Base64Encode(std::string(100, 'x')).find_first_of(u"\r\n"), WString::npos);
}

TEST(Base64, DecodesLenientlyButRejectsGarbage) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Base64Decode(Base64Encode(all)), all);
  EXPECT_EQ(Base64Decode(u"Zm9v\r\nYmFy"), "foobar");
  EXPECT_EQ(Base64Decode(u" Zg = = "), "f");
  EXPECT_EQ(Base64Decode(u"Zm8"), "fo");  // padding is optional
  EXPECT_EQ(Base64Decode(u""), "");
  for (const char16_t* bad : {u"Z", u"Zm9vY", u"Zg=x", u"Z===", u"Zg===", u"Zm9v=", u"Zm-v", u"Zm9v\u00E9",
                              u"=Zg"}) {
    EXPECT_FALSE(Base64Decode(bad).has_value()) << testing::PrintToString(std::u16string(bad));
  }
}

}  // namespace
}  // namespace platform
