// A small printf-style formatter for UTF-16 text.
//
// Conversions: %s (a UTF-16 text), %d and %i (signed), %u (unsigned),
// %x and %X (hexadecimal), %I64d / %lld / %ld (64-bit signed, same as %d
// here), %I64u / %llu (64-bit unsigned), %c (one UTF-16 unit), %% (a
// percent sign); the length prefixes h and I32 are accepted and ignored. A
// width and the '-' flag are honoured for every conversion, the '0' flag for
// the numeric ones (e.g. %02d, %08X). %u, %x and %X of a negative signed
// argument print its 32-bit two's complement (64-bit with I64/ll/l), as
// Windows prints an int. Arguments are typed, so a mismatch cannot read the
// wrong memory: a missing argument or one of the wrong kind (text for a
// number, a number for %s) writes nothing for its conversion and is used
// up. An unknown conversion is copied as it stands.
// Pure, any thread.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "platform/text_types.h"

namespace platform {

class FormatArg {
 public:
  enum class Kind { kSigned, kUnsigned, kText };

  template <typename T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T>, int> = 0>
  FormatArg(T value) : kind_(Kind::kSigned), signed_(value) {}
  template <typename T, std::enable_if_t<std::is_integral_v<T> && std::is_unsigned_v<T> &&
                                             !std::is_same_v<T, bool> && !std::is_same_v<T, char16_t>,
                                         int> = 0>
  FormatArg(T value) : kind_(Kind::kUnsigned), unsigned_(value) {}
  FormatArg(char16_t unit) : kind_(Kind::kUnsigned), unsigned_(unit) {}
  FormatArg(WStringView text) : kind_(Kind::kText), text_(text) {}
  FormatArg(const WString& text) : kind_(Kind::kText), text_(text) {}
  // A null pointer formats as the empty text.
  FormatArg(const WChar* text) : kind_(Kind::kText), text_(text ? WStringView(text) : WStringView()) {}

  Kind kind() const { return kind_; }
  std::int64_t as_signed() const { return kind_ == Kind::kSigned ? signed_ : static_cast<std::int64_t>(unsigned_); }
  std::uint64_t as_unsigned() const { return kind_ == Kind::kUnsigned ? unsigned_ : static_cast<std::uint64_t>(signed_); }
  WStringView text() const { return text_; }

 private:
  Kind kind_;
  std::int64_t signed_ = 0;
  std::uint64_t unsigned_ = 0;
  WStringView text_;
};

WString Format(WStringView format, std::initializer_list<FormatArg> args);

}  // namespace platform
