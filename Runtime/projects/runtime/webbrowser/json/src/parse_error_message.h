// The message of a file load whose text does not parse: the row and offset
// of the error and its text. Both figures are counted on the file's text
// as it was decoded (in the encoding the load detected, or as ANSI text
// after the fallback), not on its bytes: the row is 1 plus the number of
// line feeds before the error, the offset the number of UTF-16 units
// before it, the byte-order mark not counted. Pure function, any thread.
#pragma once

#include <string_view>

#include "json_text_reader.h"
#include "platform/text_types.h"

namespace TQJSON {

// "Json format error!\r\nError Row: <row>.\r\nError Offset: <offset>.\r\n
// Error Text: <error_text>" for the failed parse of `file` (its bytes).
platform::WString FormatParseErrorMessage(std::string_view file, const JsonParseOutcome& outcome,
                                          const char16_t* error_text);

}  // namespace TQJSON
