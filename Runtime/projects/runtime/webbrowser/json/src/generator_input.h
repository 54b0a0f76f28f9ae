// Reading the files and texts that the writer loads or grafts, each into a
// document of its own. They are read the way the reader's loads read them
// (json_text_reader.h): files in the encoding their bytes show, falling
// back to Windows-1252 when UTF-8 is not well formed; texts as UTF-16. Only
// a document whose root is an object or an array is taken.
//
// On failure the document may hold part of what was read. Memory
// exhaustion throws std::bad_alloc. Any thread, one document each.
#pragma once

#include <cstdint>

#include "tqjson/json_document.h"

namespace TQJSON {

// 1, or JSONFUN_TYPE_ERROR when the file cannot be read (a null name
// included), does not parse, or holds no object or array.
std::int32_t ParseGeneratorFile(const char16_t* file_name, JsonDocument& parsed);

// 1; JSONFUN_FAILED when the text is null or does not parse (an empty text
// included); JSONFUN_TYPE_ERROR when its root is no object or array.
std::int32_t ParseGeneratorText(const char16_t* text, JsonDocument& parsed);

}  // namespace TQJSON
