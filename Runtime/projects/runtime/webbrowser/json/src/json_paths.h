// Paths and JSON Pointers.
//
// A path is the users' address of a value: "/" is the root; every segment
// begins with "/" and names an object member by its exact name or an array
// element by its index counted from 1; "~/" stands for a "/" inside a
// member name, and RFC 6901's escapes "~0" and "~1" keep their meaning.
// Inside the library a value's place is its JSON Pointer text (RFC 6901),
// in which array indexes count from 0 and the root is the empty text.
// Texts of any length are handled. Pure functions, any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tqjson/json_document.h"

namespace TQJSON {

struct PathTarget {
  std::u16string pointer;           // the JSON Pointer text of the value
  const JsonValue* node = nullptr;  // the value
};

// Converts a path into the pointer text of the value it names and resolves
// it, in one walk. A segment holding a decimal digit whose parent is an
// array is read as an index the way _wtoi reads it (leading digits, 0 when
// there are none) and counted from 1; any other segment names a member.
// Returns 1, or JSONFUN_PATH_ERROR when the path is null, does not begin
// with "/", or names nothing (the target is then unspecified).
std::int32_t ConvertPathToPointer(const JsonValue& root, const char16_t* path, PathTarget* target);

// The value a pointer text names, or null when it does not parse or names
// nothing.
const JsonValue* ResolvePointer(const JsonValue& root, std::u16string_view pointer);

// The pointer token of a member name: "~" as "~0", "/" as "~1".
std::u16string EscapePointerToken(std::u16string_view name);

// The path form of a pointer text (indexes counted from 1, "~1" as "~/"),
// or nullopt when the pointer does not name a value of the document.
std::optional<std::u16string> ConvertPointerToPath(const JsonValue& root, std::u16string_view pointer);

}  // namespace TQJSON
