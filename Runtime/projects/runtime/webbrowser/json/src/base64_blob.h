// Binary values (blobs) as base64 strings: standard alphabet with padding,
// one line without line breaks. Both functions work in a reader's or
// writer's scratch buffer and hand out a pointer into it, valid until the
// buffer's next use. Not thread-safe (the buffer).
#pragma once

#include <cstdint>

#include "tqjson/scratch_buffer.h"

namespace TQJSON {

// Decodes `text` into the scratch buffer. Returns 1 with the bytes and
// their count; 0 for a null text or output; JSONFUN_TYPE_ERROR for text
// that is not base64 (blanks and line breaks are skipped, the padding may
// be missing).
std::int32_t DecodeBase64Blob(ScratchBuffer& scratch, const char16_t* text, const std::uint8_t** data,
                              std::uint32_t* size);

// Encodes `size` bytes into the scratch buffer as NUL-terminated UTF-16
// text. Returns 1 with the text; 0 for null data or output.
std::int32_t EncodeBase64Blob(ScratchBuffer& scratch, const void* data, std::uint32_t size, const char16_t** text);

}  // namespace TQJSON
