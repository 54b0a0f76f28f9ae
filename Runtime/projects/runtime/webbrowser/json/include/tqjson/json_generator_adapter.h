// CJsonGeneratorAdapter: owns the writer's current implementation and adds
// three rules to the forwarding of calls:
// - each root creation first installs a new CRapidJsonGenerator, so a new
//   root starts a new document and every earlier item and handle is gone;
// - a double or float given to an item or handle form whose value is
//   integral and within [-2^63, 2^63) is stored as a 64-bit integer (3.0
//   is written as 3, -0.0 as 0); the path forms keep floating point;
// - SaveToFileFormatted always asks for compact text.
// Not thread-safe; used through CJsonGenerator.
#pragma once

#include <cstdint>

#include "tqjson/counted_text_writer.h"
#include "tqjson/declare_operations.h"
#include "tqjson/ijson_generator.h"
#include "tqjson/replaceable_implementation.h"

namespace TQJSON {

class CRapidJsonGenerator;

class CJsonGeneratorAdapter final : public IJsonGenerator, public ICountedTextWriter {
 public:
  // Starts without an implementation (operations fail with JSONFUN_FAILED
  // until one is given or a root creation creates one). No operation
  // changes the flag word.
  explicit CJsonGeneratorAdapter(std::uint32_t flags = 0);

  // Takes ownership of `implementation`, releasing the current one.
  void SetImplementation(IJsonGenerator* implementation);

  std::uint32_t flags() const { return flags_; }

  TQJSON_GENERATOR_OPERATIONS(TQJSON_DECLARE_OPERATION_OVERRIDE)

  // Passed to the implementation when it has the counted path (0 otherwise).
  std::int32_t AddCountedStringMember(JsonItem item, const char16_t* key, std::u16string_view value,
                                      JsonItem* added) override;

 private:
  ~CJsonGeneratorAdapter() = default;

  ReplaceableImplementation<IJsonGenerator, CRapidJsonGenerator> implementation_;
  std::uint32_t flags_;
};

}  // namespace TQJSON
