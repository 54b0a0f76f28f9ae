// IJsonGenerator: builds or edits a JSON document and saves it. The
// operations, their rules and the lifetime of what they hand out are listed
// in json_generator_operations.h.
//
// Objects are built as a chain (see json_generator.h) and destroyed only by
// Release. One object is used by one thread at a time; different objects
// may be used on different threads. No exception leaves the facade.
#pragma once

#include <cstdint>

#include "tqjson/json_generator_operations.h"

namespace TQJSON {

#define TQJSON_DECLARE_PURE_OPERATION(category, result, name, parameters, arguments) virtual result name parameters = 0;

class IJsonGenerator {
 public:
  TQJSON_GENERATOR_OPERATIONS(TQJSON_DECLARE_PURE_OPERATION)

 protected:
  ~IJsonGenerator() = default;
};

#undef TQJSON_DECLARE_PURE_OPERATION

}  // namespace TQJSON
