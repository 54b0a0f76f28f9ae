// Deep copies of values from one document's pool into another's.
#pragma once

#include "tqjson/json_document.h"

namespace TQJSON {

// Copies `source` and everything below it with `allocator`. The tree is
// walked with an explicit stack, so no depth can overflow the call stack,
// and every container gets storage of exactly its size. Numbers keep their
// representation; strings and member names are copied. Throws
// std::bad_alloc (memory already taken from `allocator` stays there).
// Any thread, as long as nothing changes `source` meanwhile.
JsonValue CopyJsonTree(const JsonValue& source, JsonPoolAllocator& allocator);

}  // namespace TQJSON
