// The JSON library's shared vocabulary: result codes, the ways of
// addressing a value, item-type codes, special-number kinds and the output
// encodings. Plain constants, usable from any thread.
#pragma once

#include <cstdint>

namespace TQJSON {

// An item is the address of a node of the current document, carried as an
// integer of pointer width; 0 is no node. A handle is a positive number
// that the library hands out (see IJsonParser and IJsonGenerator for how
// long each stays valid).
using JsonItem = std::intptr_t;
using JsonHandle = std::int32_t;

// Every operation returns 1 on success; the failures are the values of
// JSONFUN_ERROR, or kJsonExceptionCaught from a facade.
constexpr std::int32_t kJsonSuccess = 1;

enum JSONFUN_ERROR : std::int32_t {
  // A null output pointer, an index out of range, a node looked up by key
  // that is missing, a node of a kind the operation refuses, a root that is
  // neither an object nor an array.
  JSONFUN_FAILED = 0,
  // A null key, or a member looked up for a typed value that is missing.
  JSONFUN_KEY_ERROR = -1,
  // A null or unknown item, an unknown handle.
  JSONFUN_ADDRESS_ERROR = -2,
  // A value of the wrong kind; a failed base64 conversion.
  JSONFUN_TYPE_ERROR = -3,
  // A null string given to a string writer.
  JSONFUN_NULL_STRING = -4,
  // A path that does not begin with "/" or does not name a value.
  JSONFUN_PATH_ERROR = -10,
};

// Returned only by the facades (CJsonParser, CJsonGenerator) when an
// exception, such as memory exhaustion, left the implementation.
constexpr std::int32_t kJsonExceptionCaught = -5;

// Item-type codes. Coarse codes are 0 to 5; the fine classification reports
// numbers by the narrowest integer type that holds them (6 to 9) or as
// floating point (11) instead of 1.
enum JsonItemType : std::int32_t {
  kJsonTypeString = 0,
  kJsonTypeNumber = 1,
  kJsonTypeBoolean = 2,
  kJsonTypeNull = 3,
  kJsonTypeObject = 4,
  kJsonTypeArray = 5,
  kJsonTypeInt32 = 6,
  kJsonTypeUInt32 = 7,
  kJsonTypeInt64 = 8,
  kJsonTypeUInt64 = 9,
  kJsonTypeFloating = 11,
};

// What a number is: an ordinary value (any integer or finite floating-point
// value) or one of the three special values.
enum JsonNumberKind : std::uint32_t {
  kJsonNumberOrdinary = 0,
  kJsonNumberNaN = 1,
  kJsonNumberPositiveInfinity = 2,
  kJsonNumberNegativeInfinity = 3,
};

// Encodings of saved text. Files carry a byte-order mark except in ASCII;
// buffers never do. ASCII writes every character from U+0080 up as \u
// escapes.
enum JsonEncoding : std::int32_t {
  kJsonEncodingAscii = 0,
  kJsonEncodingUtf16LE = 1,
  kJsonEncodingUtf8 = 2,
  kJsonEncodingUtf16BE = 3,
};

}  // namespace TQJSON
