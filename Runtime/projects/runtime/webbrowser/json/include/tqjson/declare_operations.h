// Declares, inside a class of a chain, an override for every entry of an
// operation list (json_parser_operations.h, json_generator_operations.h):
//   TQJSON_PARSER_OPERATIONS(TQJSON_DECLARE_OPERATION_OVERRIDE)
#pragma once

#define TQJSON_DECLARE_OPERATION_OVERRIDE(category, result, name, parameters, arguments) \
  result name parameters override;
