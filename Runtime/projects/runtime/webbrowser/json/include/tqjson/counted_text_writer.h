// ICountedTextWriter: the writer chain's path for strings of a known length.
// IJsonGenerator takes zero-terminated text, so a string that holds U+0000
// would end there; through this path it is stored whole, and saved with the
// NUL escaped as \u0000. CJsonGenerator, CJsonGeneratorAdapter and
// CRapidJsonGenerator implement it beside IJsonGenerator; the facade guards
// it as it guards every operation. Same threading and lifetime rules as
// IJsonGenerator.
#pragma once

#include <cstdint>
#include <string_view>

#include "tqjson/json_codes.h"

namespace TQJSON {

class ICountedTextWriter {
 public:
  // As IJsonGenerator::AddStringMember with the value given by its units
  // (copied; an empty view is the empty string): -2 null or unknown item,
  // -1 null key, 0 no output, -3 not an object; the facade gives -5 when an
  // exception (memory exhaustion, a text too long for the document) left
  // the implementation, and 0 when its adapter has no counted path.
  virtual std::int32_t AddCountedStringMember(JsonItem item, const char16_t* key, std::u16string_view value,
                                              JsonItem* added) = 0;

 protected:
  ~ICountedTextWriter() = default;
};

}  // namespace TQJSON
