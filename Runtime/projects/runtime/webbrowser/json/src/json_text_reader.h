// Parses JSON text into a UTF-16 document, the way every load of the
// library reads its input.
//
// - Bytes are read in the encoding their start shows: a byte-order mark
//   (UTF-32BE 00 00 FE FF, UTF-32LE FF FE 00 00, UTF-16BE FE FF, UTF-16LE
//   FF FE, UTF-8 EF BB BF), else the pattern of zero bytes among the first
//   four (00 00 00 xx UTF-32BE, 00 xx 00 xx UTF-16BE, xx 00 00 00
//   UTF-32LE, xx 00 xx 00 UTF-16LE), else UTF-8. Fewer than four bytes are
//   UTF-8, without a mark. The mark is skipped.
// - NaN, Inf and Infinity, each with an optional minus sign, are numbers
//   (with no fraction or exponent after them); a number with a fraction or
//   an exponent is the double nearest to its text (one too small for a
//   double is a zero of its sign).
// - Objects and arrays nest at most kMaxJsonNesting levels deep; the
//   bracket one level too deep stops the parse with
//   rapidjson::kParseErrorTermination. Parsing is iterative, so no input
//   can exhaust the call stack.
// - The root value may be followed by white space only, up to the end of
//   the input: anything else, a NUL character included, gives
//   rapidjson::kParseErrorDocumentRootNotSingular.
// - Text must be well formed in its encoding
//   (rapidjson::kParseErrorStringInvalidEncoding); an escape of a low
//   surrogate without a high one before it gives
//   rapidjson::kParseErrorStringUnicodeSurrogateInvalid, as a high one
//   without a low one does.
//
// Codes are RapidJSON's parse-error codes (0 for success). On success the
// document's root is the parsed value; on failure the root is left as it
// was (memory taken from its pool stays there). Memory exhaustion throws
// std::bad_alloc. Pure functions over the caller's document; any thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tqjson/json_document.h"

namespace TQJSON {

constexpr unsigned kMaxJsonNesting = 1000;

enum class JsonInputEncoding { kUtf8, kUtf16LE, kUtf16BE, kUtf32LE, kUtf32BE };

struct JsonInputForm {
  JsonInputEncoding encoding = JsonInputEncoding::kUtf8;
  std::size_t byte_order_mark_size = 0;
};

struct JsonParseOutcome {
  std::int32_t code = 0;
  // Where the parser stopped: in bytes of the input (byte-order mark
  // included), or in UTF-16 units when the text was read as UTF-16 text
  // or as ANSI text.
  std::size_t offset = 0;
  // The bytes were not UTF-8 and were read as Windows-1252 text instead.
  bool read_as_ansi = false;
};

// The encoding of JSON bytes, by the rules above.
JsonInputForm DetectJsonEncoding(const std::uint8_t* bytes, std::size_t size);

// Parses bytes in the encoding they show.
JsonParseOutcome ParseJsonBytes(JsonDocument& document, const void* bytes, std::size_t size);

// Parses UTF-16 text (a leading U+FEFF is skipped); offsets in units.
JsonParseOutcome ParseJsonText(JsonDocument& document, const char16_t* text, std::size_t length);

// Parses bytes as ParseJsonBytes does; when they were read as UTF-8 and
// are not valid UTF-8, parses them again as Windows-1252 text, and that
// second outcome counts.
JsonParseOutcome ParseJsonBytesOrAnsi(JsonDocument& document, const void* bytes, std::size_t size);

}  // namespace TQJSON
