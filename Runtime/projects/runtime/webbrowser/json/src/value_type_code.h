// Item-type codes of values (JsonItemType). Pure functions, any thread.
#pragma once

#include <cstdint>

#include "tqjson/json_document.h"

namespace TQJSON {

// The fine code: numbers by the narrowest of signed 32-bit (6), unsigned
// 32-bit (7), signed 64-bit (8), unsigned 64-bit (9) integer that holds
// them, else floating point (11). RapidJSON holds a number as floating
// point when its text has a fraction or an exponent, or when it is an
// integer too large for 64 bits.
std::int32_t GetValueTypeCode(const JsonValue& value);

// The coarse code: 1 for every number.
std::int32_t GetCoarseTypeCode(const JsonValue& value);

}  // namespace TQJSON
