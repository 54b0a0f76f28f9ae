// Loading, parsing and saving whole JSON documents, and turning a value into
// text. Results are EN_CONFIG_RESULT codes; nothing is thrown for file or
// parse problems (std::bad_alloc may pass). After a failed parse the
// document holds the error code and offset (JsonDocument::ParseErrorCode).
// Any thread, one document per thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "json_document.h"
#include "platform/text_types.h"

// Reads a UTF-8 file as the C runtime's text mode does (a CR LF pair reads
// as LF, a byte 0x1A ends the input; no byte-order mark is recognised, so a
// file that begins with one fails to parse) and parses it. 1: not opened
// (also for a null path, with error 19); 2: no bytes; 3: parse error; 0.
// The root may be of any JSON type.
std::uint32_t LoadJsonFile(JsonDocument& document, const char16_t* path);

// Parses `length` bytes in the encoding that their byte-order mark, else
// the zero bytes among the first four, tells (UTF-8 without either, and for
// fewer than four bytes); the mark is skipped and a zero character ends the
// text. 3 (error 18) for a null `bytes` with a non-zero length; 3 for a
// parse error; 0.
std::uint32_t ParseJsonText(JsonDocument& document, const void* bytes, std::size_t length);

// Parses a zero-terminated UTF-16 text. 3 (error 18) for a null text; 3 for
// a parse error; 0.
std::uint32_t ParseWideJsonText(JsonDocument& document, const char16_t* text);

// Writes the document as compact JSON in UTF-8 without a byte-order mark,
// replacing the file atomically. 5: something at the path is read-only or
// not a regular file; 3: the document holds NaN or Infinity; 6: the file
// could not be written (null path, missing folder, no space...). On any
// failure the previous file is left as it was.
std::uint32_t SaveJsonFile(const JsonDocument& document, const char16_t* path);

// The value as compact JSON text (members in document order, non-ASCII
// characters as themselves; control characters, quote and backslash
// escaped). 3 and an empty `text` for NaN or Infinity; 0.
std::uint32_t JsonValueToText(const JsonValue& value, platform::WString& text);
