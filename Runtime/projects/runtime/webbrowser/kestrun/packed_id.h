// The 64-bit identifier at index 0 of a process message: a 9-byte binary
// value, a zero byte and then the signed integer, least significant byte
// first. Pure functions; any thread (each list on one thread at a time).
#pragma once

#include <cstdint>

#include "cef_values.h"

namespace Kestrun {

constexpr std::size_t kPackedIdSize = 9;

// Writes the packed `identifier` at index 0 of `list` (growing it if empty).
void PackId(CefRefPtr<CefListValue> list, std::int64_t identifier);

// Reads the identifier at index 0 as the browser control writes it: the 8
// bytes from offset 1. A missing value or one of another type reads as 0; a
// short binary gives only the bytes it has (the others read as zero).
std::int64_t ReadPackedId(CefRefPtr<CefListValue> list);

}  // namespace Kestrun
