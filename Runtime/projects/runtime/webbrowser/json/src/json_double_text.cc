#include "json_double_text.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace TQJSON {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

JsonDouble Read(double value) { return {JsonDouble::kRead, value}; }

// NaN (of either sign, as RapidJSON reads it), Inf and Infinity.
JsonDouble ReadLiteral(std::string_view body, bool minus) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  if (body == "NaN") return Read(std::numeric_limits<double>::quiet_NaN());
  if (body == "Inf" || body == "Infinity") return Read(minus ? -kInfinity : kInfinity);
  return {JsonDouble::kInvalid, 0};
}

// The power of ten of the first significant digit, or 0 when there is none.
long long LeadingExponent(std::string_view body) {
  const std::size_t exponent_mark = body.find_first_of("eE");
  const std::string_view significand = body.substr(0, exponent_mark);
  long long exponent = 0;
  if (exponent_mark != std::string_view::npos) {
    const std::string_view digits = body.substr(exponent_mark + 1);
    for (const char c : digits) {
      if (IsDigit(c) && exponent < 1000000) exponent = exponent * 10 + (c - '0');
    }
    if (!digits.empty() && digits[0] == '-') exponent = -exponent;
  }
  const std::size_t point = std::min(significand.find('.'), significand.size());
  const std::size_t first = significand.find_first_of("123456789");
  if (first == std::string_view::npos) return 0;
  const long long place =
      first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
  return place + exponent;
}

}  // namespace

JsonDouble ReadJsonDouble(std::string_view text) {
  const bool minus = !text.empty() && text[0] == '-';
  const std::string_view body = text.substr(minus ? 1 : 0);
  if (body.empty() || !IsDigit(body[0])) return ReadLiteral(body, minus);
  double value = 0;
  const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
  if (read.ec == std::errc() && read.ptr == text.data() + text.size()) return Read(value);
  if (read.ec != std::errc::result_out_of_range) return {JsonDouble::kInvalid, 0};
  if (LeadingExponent(body) > 0) return {JsonDouble::kTooBig, 0};
  return Read(minus ? -0.0 : 0.0);
}

}  // namespace TQJSON
