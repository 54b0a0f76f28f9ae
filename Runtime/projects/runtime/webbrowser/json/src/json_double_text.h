// The value of a JSON number's text that RapidJSON's reader takes for a
// double: its grammar already checked (an optional minus, then digits with
// a fraction or an exponent, or too many for 64 bits; or NaN, Inf or
// Infinity). The text is converted to the nearest double by the standard
// library. Pure function, any thread.
#pragma once

#include <string_view>

namespace TQJSON {

struct JsonDouble {
  enum Outcome {
    kRead,     // `value` holds the number (NaN and the infinities included)
    kInvalid,  // a NaN or infinity literal followed by more ("Inf.5")
    kTooBig,   // beyond the range of a double
  };
  Outcome outcome = kInvalid;
  double value = 0;
};

// A number too small for a double reads as a zero of its sign.
JsonDouble ReadJsonDouble(std::string_view text);

}  // namespace TQJSON
