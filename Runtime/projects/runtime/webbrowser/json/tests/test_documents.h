// Documents for tests, parsed from UTF-8 text with RapidJSON itself.
#pragma once

#include <string>

#include "tqjson/json_document.h"

namespace TQJSON {

// Parses UTF-8 JSON (NaN and infinities allowed) into a UTF-16 document;
// the test fails when the text does not parse.
inline void ParseInto(JsonDocument& document, const char* utf8) {
  document.Parse<rapidjson::kParseNanAndInfFlag, rapidjson::UTF8<>>(utf8);
  if (document.HasParseError()) ADD_FAILURE() << "test document does not parse: " << utf8;
}

}  // namespace TQJSON
