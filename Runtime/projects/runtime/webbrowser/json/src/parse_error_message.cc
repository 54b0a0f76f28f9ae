#include "parse_error_message.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/codepage.h"
#include "platform/format.h"
#include "platform/unicode.h"

namespace TQJSON {
namespace {

// The units of UTF-16 or UTF-32 bytes in the given byte order; a last unit
// cut short is left out.
template <typename Unit>
std::basic_string<Unit> ReadUnits(std::string_view bytes, bool big_endian) {
  std::basic_string<Unit> units;
  units.reserve(bytes.size() / sizeof(Unit));
  for (std::size_t at = 0; at + sizeof(Unit) <= bytes.size(); at += sizeof(Unit)) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < sizeof(Unit); ++i) {
      const std::size_t shift = big_endian ? sizeof(Unit) - 1 - i : i;
      value |= std::uint32_t{static_cast<std::uint8_t>(bytes[at + i])} << (8 * shift);
    }
    units += static_cast<Unit>(value);
  }
  return units;
}

// The decoded text of the file before the error.
platform::WString TextBeforeError(std::string_view file, const JsonParseOutcome& outcome) {
  if (outcome.read_as_ansi) return platform::AnsiToUtf16(file.substr(0, outcome.offset));
  const JsonInputForm form = DetectJsonEncoding(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  const std::size_t start = form.byte_order_mark_size;
  const std::size_t end = std::clamp(outcome.offset, start, file.size());
  const std::string_view before = file.substr(start, end - start);
  switch (form.encoding) {
    case JsonInputEncoding::kUtf16LE:
    case JsonInputEncoding::kUtf16BE:
      return ReadUnits<char16_t>(before, form.encoding == JsonInputEncoding::kUtf16BE);
    case JsonInputEncoding::kUtf32LE:
    case JsonInputEncoding::kUtf32BE:
      return platform::Utf32ToUtf16(ReadUnits<char32_t>(before, form.encoding == JsonInputEncoding::kUtf32BE));
    case JsonInputEncoding::kUtf8:
      break;
  }
  return platform::Utf8ToUtf16(before);
}

}  // namespace

platform::WString FormatParseErrorMessage(std::string_view file, const JsonParseOutcome& outcome,
                                          const char16_t* error_text) {
  const platform::WString before = TextBeforeError(file, outcome);
  const std::size_t row = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), u'\n'));
  return platform::Format(u"Json format error!\r\nError Row: %d.\r\nError Offset: %d.\r\nError Text: %s",
                          {row, before.size(), error_text});
}

}  // namespace TQJSON
