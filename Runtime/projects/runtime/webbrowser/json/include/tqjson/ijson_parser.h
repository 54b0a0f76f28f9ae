// IJsonParser: loads a JSON document from bytes, text or a file and answers
// questions about it. The operations, their rules and the lifetime of what
// they hand out are listed in json_parser_operations.h.
//
// Objects are built as a chain (see json_parser.h) and destroyed only by
// Release. One object is used by one thread at a time; different objects
// may be used on different threads. No exception leaves the facade.
#pragma once

#include <cstdint>

#include "tqjson/json_parser_operations.h"

namespace TQJSON {

#define TQJSON_DECLARE_PURE_OPERATION(category, result, name, parameters, arguments) virtual result name parameters = 0;

class IJsonParser {
 public:
  TQJSON_PARSER_OPERATIONS(TQJSON_DECLARE_PURE_OPERATION)

 protected:
  ~IJsonParser() = default;
};

#undef TQJSON_DECLARE_PURE_OPERATION

}  // namespace TQJSON
