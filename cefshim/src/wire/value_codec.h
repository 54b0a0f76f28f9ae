// Values on the wire. A value is a u8 tag and its data: 0 null, 1 bool (u8 0
// or 1), 2 int (i32), 3 double (f64), 4 string, 5 binary (u32 byte count,
// bytes), 6 dictionary (u32 count, then a key string and a value each),
// 7 list (u32 count, then the values). Containers nest at most
// kMaxValueDepth deep (a list of lists counts 2). Pure functions; any thread
// (each value on one thread at a time).
#pragma once

#include "cef_values.h"
#include "wire/byte_reader.h"
#include "wire/byte_writer.h"

namespace cefshim::wire {

constexpr int kMaxValueDepth = 128;

enum ValueTag : std::uint8_t {
  kTagNull = 0,
  kTagBool = 1,
  kTagInt = 2,
  kTagDouble = 3,
  kTagString = 4,
  kTagBinary = 5,
  kTagDictionary = 6,
  kTagList = 7,
};

// Appends `list` as a tagged value. False, with part of it appended, when it
// nests deeper than kMaxValueDepth.
bool WriteListValue(ByteWriter& writer, CefListValue& list);

// Reads one tagged value that must be a list. Null when the bytes are not a
// well-formed list (unknown tag, bool other than 0 or 1, a count beyond the
// bytes that remain, nesting beyond kMaxValueDepth); the reader's position
// is then unspecified.
CefRefPtr<CefListValue> ReadListValue(ByteReader& reader);

}  // namespace cefshim::wire
