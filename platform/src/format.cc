#include "platform/format.h"

#include <cstddef>

#include "platform/wide_string.h"

namespace platform {
namespace {

// One parsed conversion directive: %[flags][width][length]conversion.
struct Directive {
  bool left = false;       // '-'
  bool zero_pad = false;   // '0'
  std::size_t width = 0;
  bool wide64 = false;     // I64, ll, l, j, z
  WChar conversion = 0;
  std::size_t length = 0;  // units of the directive, '%' included
};

bool IsDigit(WChar c) { return c >= u'0' && c <= u'9'; }

// Parses the directive that starts at format[pos] == '%'. Returns false
// when it does not end in a known conversion.
bool ParseDirective(WStringView format, std::size_t pos, Directive& directive) {
  std::size_t i = pos + 1;
  const auto at = [&](std::size_t k) { return k < format.size() ? format[k] : WChar(0); };
  for (;; ++i) {
    if (at(i) == u'-') directive.left = true;
    else if (at(i) == u'0') directive.zero_pad = true;
    else break;
  }
  for (; IsDigit(at(i)) && directive.width < 4096; ++i) directive.width = directive.width * 10 + (at(i) - u'0');
  if (IsDigit(at(i))) return false;  // absurd width: not a directive we honour
  if (at(i) == u'I' && at(i + 1) == u'6' && at(i + 2) == u'4') {
    directive.wide64 = true;
    i += 3;
  } else if (at(i) == u'I' && at(i + 1) == u'3' && at(i + 2) == u'2') {
    i += 3;
  } else if (at(i) == u'l' && at(i + 1) == u'l') {
    directive.wide64 = true;
    i += 2;
  } else if (at(i) == u'l' || at(i) == u'j' || at(i) == u'z') {
    directive.wide64 = true;
    ++i;
  } else if (at(i) == u'h') {
    ++i;
  }
  directive.conversion = at(i);
  switch (directive.conversion) {
    case u'%': case u's': case u'd': case u'i': case u'u': case u'x': case u'X': case u'c':
      directive.length = i + 1 - pos;
      return true;
    default:
      return false;
  }
}

WString ToHex(std::uint64_t value, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  WString out;
  do {
    out.insert(out.begin(), static_cast<WChar>(digits[value & 0xF]));
    value >>= 4;
  } while (value != 0);
  return out;
}

// The unsigned value of a %u/%x argument: a negative signed argument is its
// two's complement in 32 bits (64 with a 64-bit length), as Windows prints
// an int.
std::uint64_t UnsignedValue(const FormatArg& arg, bool wide64) {
  if (arg.kind() == FormatArg::Kind::kSigned && arg.as_signed() < 0 && !wide64) {
    return static_cast<std::uint32_t>(arg.as_signed());
  }
  return arg.as_unsigned();
}

// The text of one conversion before padding; false when the argument is of
// the wrong kind.
bool Convert(const Directive& directive, const FormatArg& arg, WString& text, bool& numeric) {
  const bool is_text = arg.kind() == FormatArg::Kind::kText;
  numeric = directive.conversion != u's' && directive.conversion != u'c';
  if ((directive.conversion == u's') != is_text) return false;
  switch (directive.conversion) {
    case u's': text.assign(arg.text()); break;
    case u'c': text.assign(1, static_cast<WChar>(arg.as_unsigned())); break;
    case u'd': case u'i': text = IntToW(arg.as_signed()); break;
    case u'u': text = UIntToW(UnsignedValue(arg, directive.wide64)); break;
    default: text = ToHex(UnsignedValue(arg, directive.wide64), directive.conversion == u'X'); break;
  }
  return true;
}

void AppendPadded(WString& out, const Directive& directive, const WString& text, bool numeric) {
  const std::size_t fill = directive.width > text.size() ? directive.width - text.size() : 0;
  if (directive.left) {
    out += text;
    out.append(fill, u' ');
  } else if (directive.zero_pad && numeric) {
    const bool sign = !text.empty() && text[0] == u'-';
    if (sign) out += u'-';
    out.append(fill, u'0');
    out.append(text, sign ? 1 : 0, WString::npos);
  } else {
    out.append(fill, u' ');
    out += text;
  }
}

}  // namespace

WString Format(WStringView format, std::initializer_list<FormatArg> args) {
  WString out;
  out.reserve(format.size() + 16 * args.size());
  const FormatArg* next = args.begin();
  std::size_t i = 0;
  while (i < format.size()) {
    Directive directive;
    if (format[i] != u'%' || !ParseDirective(format, i, directive)) {
      out += format[i++];
      continue;
    }
    i += directive.length;
    if (directive.conversion == u'%') {
      out += u'%';
      continue;
    }
    if (next == args.end()) continue;
    const FormatArg& arg = *next++;
    WString text;
    bool numeric = false;
    if (Convert(directive, arg, text, numeric)) AppendPadded(out, directive, text, numeric);
  }
  return out;
}

}  // namespace platform
