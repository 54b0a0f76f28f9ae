#include "platform/format.h"

#include <cstddef>

#include "platform/wide_string.h"

namespace platform {
namespace {

// One parsed conversion directive: %[flags][width][length]conversion.
struct Spec {
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
bool ParseSpec(WStringView format, std::size_t pos, Spec& spec) {
  std::size_t i = pos + 1;
  const auto at = [&](std::size_t k) { return k < format.size() ? format[k] : WChar(0); };
  for (;; ++i) {
    if (at(i) == u'-') spec.left = true;
    else if (at(i) == u'0') spec.zero_pad = true;
    else break;
  }
  for (; IsDigit(at(i)) && spec.width < 4096; ++i) spec.width = spec.width * 10 + (at(i) - u'0');
  if (IsDigit(at(i))) return false;  // absurd width: not a directive we honour
  if (at(i) == u'I' && at(i + 1) == u'6' && at(i + 2) == u'4') {
    spec.wide64 = true;
    i += 3;
  } else if (at(i) == u'I' && at(i + 1) == u'3' && at(i + 2) == u'2') {
    i += 3;
  } else if (at(i) == u'l' && at(i + 1) == u'l') {
    spec.wide64 = true;
    i += 2;
  } else if (at(i) == u'l' || at(i) == u'j' || at(i) == u'z') {
    spec.wide64 = true;
    ++i;
  } else if (at(i) == u'h') {
    ++i;
  }
  spec.conversion = at(i);
  switch (spec.conversion) {
    case u'%': case u's': case u'd': case u'i': case u'u': case u'x': case u'X': case u'c':
      spec.length = i + 1 - pos;
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
bool Convert(const Spec& spec, const FormatArg& arg, WString& text, bool& numeric) {
  const bool is_text = arg.kind() == FormatArg::Kind::kText;
  numeric = spec.conversion != u's' && spec.conversion != u'c';
  if ((spec.conversion == u's') != is_text) return false;
  switch (spec.conversion) {
    case u's': text.assign(arg.text()); break;
    case u'c': text.assign(1, static_cast<WChar>(arg.as_unsigned())); break;
    case u'd': case u'i': text = IntToW(arg.as_signed()); break;
    case u'u': text = UIntToW(UnsignedValue(arg, spec.wide64)); break;
    default: text = ToHex(UnsignedValue(arg, spec.wide64), spec.conversion == u'X'); break;
  }
  return true;
}

void AppendPadded(WString& out, const Spec& spec, const WString& text, bool numeric) {
  const std::size_t fill = spec.width > text.size() ? spec.width - text.size() : 0;
  if (spec.left) {
    out += text;
    out.append(fill, u' ');
  } else if (spec.zero_pad && numeric) {
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
    Spec spec;
    if (format[i] != u'%' || !ParseSpec(format, i, spec)) {
      out += format[i++];
      continue;
    }
    i += spec.length;
    if (spec.conversion == u'%') {
      out += u'%';
      continue;
    }
    if (next == args.end()) continue;
    const FormatArg& arg = *next++;
    WString text;
    bool numeric = false;
    if (Convert(spec, arg, text, numeric)) AppendPadded(out, spec, text, numeric);
  }
  return out;
}

}  // namespace platform
