// How the reader decides the files of JSONTestSuite's test_parsing folder
// (and the writer's LoadFromString those that are UTF-8 text).
// A y_ file (valid JSON) must load and an n_ file (invalid JSON) must not,
// except for the deviations listed here with their reasons; every i_ file
// (left to the implementation) is listed with the reader's decision.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>

namespace TQJSON {

struct SuiteDecision {
  const char* file;
  bool accepted;
  const char* reason;
};

constexpr char kScalarRoot[] = "the root must be an object or an array";
constexpr char kSpecialNumber[] = "NaN, Inf and Infinity, with an optional minus sign, are numbers";

constexpr SuiteDecision kSuiteDeviations[] = {
    {"y_string_space.json", false, kScalarRoot},
    {"y_structure_lonely_false.json", false, kScalarRoot},
    {"y_structure_lonely_int.json", false, kScalarRoot},
    {"y_structure_lonely_negative_real.json", false, kScalarRoot},
    {"y_structure_lonely_null.json", false, kScalarRoot},
    {"y_structure_lonely_string.json", false, kScalarRoot},
    {"y_structure_lonely_true.json", false, kScalarRoot},
    {"y_structure_string_empty.json", false, kScalarRoot},
    {"n_number_-NaN.json", true, kSpecialNumber},
    {"n_number_Inf.json", true, kSpecialNumber},
    {"n_number_NaN.json", true, kSpecialNumber},
    {"n_number_infinity.json", true, kSpecialNumber},
    {"n_number_minus_infinity.json", true, kSpecialNumber},
};

constexpr char kOutOfRange[] = "a number beyond the range of a double cannot be held";
constexpr char kUnderflow[] = "a number too small for a double is held as 0";
constexpr char kBigInteger[] = "an integer beyond 64 bits is held as a double";
constexpr char kUnpaired[] = "an escaped surrogate without its partner cannot be held in UTF-16";
constexpr char kAnsi[] = "bytes that are not UTF-8 are read as Windows-1252 text";
constexpr char kDetected[] = "the encoding is detected from the byte-order mark or the zero bytes";

constexpr SuiteDecision kImplementationDefined[] = {
    {"i_number_double_huge_neg_exp.json", true, kUnderflow},
    {"i_number_huge_exp.json", false, kOutOfRange},
    {"i_number_neg_int_huge_exp.json", false, kOutOfRange},
    {"i_number_pos_double_huge_exp.json", false, kOutOfRange},
    {"i_number_real_neg_overflow.json", false, kOutOfRange},
    {"i_number_real_pos_overflow.json", false, kOutOfRange},
    {"i_number_real_underflow.json", true, kUnderflow},
    {"i_number_too_big_neg_int.json", true, kBigInteger},
    {"i_number_too_big_pos_int.json", true, kBigInteger},
    {"i_number_very_big_negative_int.json", true, kBigInteger},
    {"i_object_key_lone_2nd_surrogate.json", false, kUnpaired},
    {"i_string_1st_surrogate_but_2nd_missing.json", false, kUnpaired},
    {"i_string_1st_valid_surrogate_2nd_invalid.json", false, kUnpaired},
    {"i_string_UTF-16LE_with_BOM.json", true, kDetected},
    {"i_string_UTF-8_invalid_sequence.json", true, kAnsi},
    {"i_string_UTF8_surrogate_U+D800.json", true, kAnsi},
    {"i_string_incomplete_surrogate_and_escape_valid.json", false, kUnpaired},
    {"i_string_incomplete_surrogate_pair.json", false, kUnpaired},
    {"i_string_incomplete_surrogates_escape_valid.json", false, kUnpaired},
    {"i_string_invalid_lonely_surrogate.json", false, kUnpaired},
    {"i_string_invalid_surrogate.json", false, kUnpaired},
    {"i_string_invalid_utf-8.json", true, kAnsi},
    {"i_string_inverted_surrogates_U+1D11E.json", false, kUnpaired},
    {"i_string_iso_latin_1.json", true, kAnsi},
    {"i_string_lone_second_surrogate.json", false, kUnpaired},
    {"i_string_lone_utf8_continuation_byte.json", true, kAnsi},
    {"i_string_not_in_unicode_range.json", true, kAnsi},
    {"i_string_overlong_sequence_2_bytes.json", true, kAnsi},
    {"i_string_overlong_sequence_6_bytes.json", true, kAnsi},
    {"i_string_overlong_sequence_6_bytes_null.json", true, kAnsi},
    {"i_string_truncated-utf-8.json", true, kAnsi},
    {"i_string_utf16BE_no_BOM.json", true, kDetected},
    {"i_string_utf16LE_no_BOM.json", true, kDetected},
    {"i_structure_500_nested_arrays.json", true, "objects and arrays may nest 1000 levels deep"},
    {"i_structure_UTF-8_BOM_empty_object.json", true, kDetected},
};

// Accepted files whose document cannot cross the interfaces whole, so they
// are not regenerated: their strings hold U+0000, and both interfaces pass
// texts NUL-terminated.
constexpr SuiteDecision kNoRoundTrip[] = {
    {"y_object_escaped_null_in_key.json", true, "a member name holds U+0000"},
    {"y_string_null_escape.json", true, "a string holds U+0000"},
};

template <std::size_t kCount>
const SuiteDecision* FindDecision(const SuiteDecision (&list)[kCount], const std::string& file) {
  const auto found = std::find_if(std::begin(list), std::end(list), [&](const SuiteDecision& d) { return d.file == file; });
  return found != std::end(list) ? found : nullptr;
}

// What a file must do: load or not, and why when its name does not say;
// whether its document can be regenerated through the interfaces.
struct SuiteExpectation {
  bool accepted = false;
  std::string reason;
  bool round_trip = false;
};

inline std::optional<SuiteExpectation> ExpectationFor(const std::string& file) {
  const SuiteDecision* decision = FindDecision(kSuiteDeviations, file);
  if (decision == nullptr) decision = FindDecision(kImplementationDefined, file);
  SuiteExpectation expected;
  if (decision != nullptr) {
    expected = {decision->accepted, decision->reason};
  } else if (file.rfind("y_", 0) == 0 || file.rfind("n_", 0) == 0) {
    expected.accepted = file[0] == 'y';
  } else {
    return std::nullopt;
  }
  expected.round_trip = expected.accepted && FindDecision(kNoRoundTrip, file) == nullptr;
  return expected;
}

}  // namespace TQJSON
