#include "tqjson/json_generator.h"

#include "facade_guard.h"

namespace TQJSON {

#define TQJSON_FACADE_PLAIN(name, parameters, arguments)                                    \
  std::int32_t CJsonGenerator::name parameters {                                            \
    return Guarded(kJsonExceptionCaught, [&]() -> std::int32_t {                            \
      return adapter_ != nullptr ? adapter_->name arguments : std::int32_t{JSONFUN_FAILED}; \
    });                                                                                     \
  }
#define TQJSON_FACADE_ROOT TQJSON_FACADE_PLAIN
#define TQJSON_FACADE_FLOATING TQJSON_FACADE_PLAIN
#define TQJSON_FACADE_FORMATTED TQJSON_FACADE_PLAIN
#define TQJSON_FACADE_RELEASE(name, parameters, arguments)
#define TQJSON_FACADE_OPERATION(category, result, name, parameters, arguments) \
  TQJSON_FACADE_##category(name, parameters, arguments)

CJsonGenerator::CJsonGenerator(IJsonGenerator* adapter) : adapter_(adapter) {}

TQJSON_GENERATOR_OPERATIONS(TQJSON_FACADE_OPERATION)

std::int32_t CJsonGenerator::AddCountedStringMember(JsonItem item, const char16_t* key, std::u16string_view value,
                                                    JsonItem* added) {
  return Guarded(kJsonExceptionCaught, [&]() -> std::int32_t {
    auto* writer = dynamic_cast<ICountedTextWriter*>(adapter_);
    return writer != nullptr ? writer->AddCountedStringMember(item, key, value, added) : std::int32_t{JSONFUN_FAILED};
  });
}

void CJsonGenerator::Release() {
  if (adapter_ != nullptr) adapter_->Release();
  delete this;
}

}  // namespace TQJSON
