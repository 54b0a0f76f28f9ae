// CJsonGenerator: the writer's facade, the object its user holds. Every
// operation but Release is passed to the adapter inside a guard: an
// exception that escapes (memory exhaustion, a failed RapidJSON assertion)
// becomes kJsonExceptionCaught and the chain stays usable, though the
// document may hold what the interrupted operation had done. There is no
// factory; the user builds the chain:
//
//   auto* adapter = new CJsonGeneratorAdapter();
//   adapter->SetImplementation(new CRapidJsonGenerator());
//   IJsonGenerator* generator = new CJsonGenerator(adapter);
//   ...
//   generator->Release();  // releases the adapter and its implementation
#pragma once

#include "tqjson/counted_text_writer.h"
#include "tqjson/declare_operations.h"
#include "tqjson/ijson_generator.h"

namespace TQJSON {

class CJsonGenerator final : public IJsonGenerator, public ICountedTextWriter {
 public:
  // Takes ownership of the adapter (may be null: every operation then
  // fails with JSONFUN_FAILED).
  explicit CJsonGenerator(IJsonGenerator* adapter);

  TQJSON_GENERATOR_OPERATIONS(TQJSON_DECLARE_OPERATION_OVERRIDE)

  // Passed to the adapter when it has the counted path (0 otherwise).
  std::int32_t AddCountedStringMember(JsonItem item, const char16_t* key, std::u16string_view value,
                                      JsonItem* added) override;

 private:
  ~CJsonGenerator() = default;

  IJsonGenerator* adapter_;
};

}  // namespace TQJSON
