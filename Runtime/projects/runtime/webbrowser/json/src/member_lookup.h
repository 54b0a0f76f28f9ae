// The reader's member lookup by key. Pure function, any thread.
#pragma once

#include "tqjson/json_document.h"

namespace TQJSON {

// The first member of `object` (in document order) whose name has as many
// UTF-16 units as `key` and equals it unit by unit, the ASCII letters
// compared without case (no other folding). Null when none matches, when
// `key` is null or when `object` is not an object.
const JsonMember* FindMemberIgnoringCase(const JsonValue& object, const char16_t* key);

}  // namespace TQJSON
