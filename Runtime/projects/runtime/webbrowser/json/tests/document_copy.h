// Copies the document of a reader into a writer value by value, through
// the item forms of both interfaces, without recursion. Both interfaces
// pass texts NUL-terminated, so a string or member name that holds U+0000
// arrives cut short at it.
#pragma once

#include <string>

#include "tqjson/ijson_generator.h"
#include "tqjson/ijson_parser.h"

namespace TQJSON {

// "" when the whole document was copied, else what failed.
std::string CopyDocument(IJsonParser& reader, IJsonGenerator& writer);

}  // namespace TQJSON
