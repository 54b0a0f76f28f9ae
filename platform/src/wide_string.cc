#include "platform/wide_string.h"

#include <algorithm>
#include <limits>

namespace platform {
namespace {

WChar LowerAscii(WChar c) { return c >= u'A' && c <= u'Z' ? static_cast<WChar>(c + 32) : c; }
WChar UpperAscii(WChar c) { return c >= u'a' && c <= u'z' ? static_cast<WChar>(c - 32) : c; }

bool IsBlank(WChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Reads an integer by _wtoi rules, saturating at [min, max].
template <typename Int>
Int ReadInt(WStringView text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  // Accumulate as a negative number: its range includes the minimum.
  constexpr Int kMin = std::numeric_limits<Int>::min();
  Int value = 0;
  bool overflow = false;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    const Int digit = static_cast<Int>(text[i] - u'0');
    if (value < (kMin + digit) / 10) overflow = true;
    if (!overflow) value = static_cast<Int>(value * 10 - digit);
  }
  if (overflow) return negative ? kMin : std::numeric_limits<Int>::max();
  if (negative) return value;
  return value == kMin ? std::numeric_limits<Int>::max() : static_cast<Int>(-value);
}

}  // namespace

std::size_t WLength(const WChar* text) {
  return text ? std::char_traits<WChar>::length(text) : 0;
}

int WCompareNoCase(WStringView a, WStringView b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const WChar x = LowerAscii(a[i]);
    const WChar y = LowerAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool WEqualsNoCase(WStringView a, WStringView b) {
  return a.size() == b.size() && WCompareNoCase(a, b) == 0;
}

std::size_t WFindNoCase(WStringView haystack, WStringView needle, std::size_t from) {
  if (from > haystack.size() || needle.size() > haystack.size() - from) return WStringView::npos;
  for (std::size_t i = from; i + needle.size() <= haystack.size(); ++i) {
    if (WEqualsNoCase(haystack.substr(i, needle.size()), needle)) return i;
  }
  return WStringView::npos;
}

WString WToLowerAscii(WStringView text) {
  WString out(text);
  std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
  return out;
}

WString WToUpperAscii(WStringView text) {
  WString out(text);
  std::transform(out.begin(), out.end(), out.begin(), UpperAscii);
  return out;
}

int WToInt(WStringView text) { return ReadInt<int>(text); }
std::int64_t WToInt64(WStringView text) { return ReadInt<std::int64_t>(text); }
int WToInt(const WChar* text) { return text ? ReadInt<int>(WStringView(text)) : 0; }

WString UIntToW(std::uint64_t value) {
  WChar digits[20];
  std::size_t n = 0;
  do {
    digits[n++] = static_cast<WChar>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  return WString(std::reverse_iterator<WChar*>(digits + n), std::reverse_iterator<WChar*>(digits));
}

WString IntToW(std::int64_t value) {
  if (value >= 0) return UIntToW(static_cast<std::uint64_t>(value));
  // Negate in unsigned arithmetic so that the minimum does not overflow.
  return u'-' + UIntToW(0 - static_cast<std::uint64_t>(value));
}

std::size_t WCopyTruncated(WChar* field, std::size_t capacity, WStringView src) {
  if (capacity == 0 || field == nullptr) return 0;
  std::size_t n = std::min(src.size(), capacity - 1);
  const bool splits_pair = n > 0 && n < src.size() && src[n - 1] >= 0xD800 && src[n - 1] <= 0xDBFF &&
                           src[n] >= 0xDC00 && src[n] <= 0xDFFF;
  if (splits_pair) --n;
  std::copy_n(src.data(), n, field);
  field[n] = 0;
  return n;
}

}  // namespace platform
