// Helpers for null-terminated and counted UTF-16 text, with the reading
// rules the system relies on. Pure functions, any thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/text_types.h"

namespace platform {

// Length in UTF-16 units; a null pointer has length 0.
std::size_t WLength(const WChar* text);

// Compare ignoring case of ASCII letters only (other characters compare by
// code unit). Result <0, 0, >0 like strcmp. Null pointers compare as "".
int WCompareNoCase(WStringView a, WStringView b);
bool WEqualsNoCase(WStringView a, WStringView b);

// Finds needle in haystack ignoring ASCII case; npos when absent.
std::size_t WFindNoCase(WStringView haystack, WStringView needle, std::size_t from = 0);

// ASCII lower/upper case of a whole text.
WString WToLowerAscii(WStringView text);
WString WToUpperAscii(WStringView text);

// _wtoi reading rules: skips leading blanks (space, \t, \n, \v, \f, \r),
// takes an optional '+' or '-', then decimal digits up to the first other
// character. No digits gives 0. A value beyond the type's range saturates
// at its minimum or maximum.
int WToInt(WStringView text);
std::int64_t WToInt64(WStringView text);
int WToInt(const WChar* text);  // null gives 0

// Decimal text of an integer.
WString IntToW(std::int64_t value);
WString UIntToW(std::uint64_t value);

// Copies src into a fixed-width field of `capacity` units (terminating zero
// included): at most capacity-1 units, never ending inside a surrogate pair.
// Returns the number of units copied (the terminator not counted). A
// capacity of 0 writes nothing.
std::size_t WCopyTruncated(WChar* field, std::size_t capacity, WStringView src);

}  // namespace platform
