#include "tqjson/json_parser.h"

#include "facade_guard.h"

namespace TQJSON {

#define TQJSON_FACADE_GUARDED(on_exception, name, parameters, arguments)                    \
  std::int32_t CJsonParser::name parameters {                                               \
    return Guarded(on_exception, [&]() -> std::int32_t {                                    \
      return adapter_ != nullptr ? adapter_->name arguments : std::int32_t{JSONFUN_FAILED}; \
    });                                                                                     \
  }
#define TQJSON_FACADE_PLAIN(name, parameters, arguments) \
  TQJSON_FACADE_GUARDED(kJsonExceptionCaught, name, parameters, arguments)
#define TQJSON_FACADE_LOAD TQJSON_FACADE_PLAIN
#define TQJSON_FACADE_ERROR_FLAG TQJSON_FACADE_PLAIN
// An existence test that fails by an exception answers false.
#define TQJSON_FACADE_TRUTH(name, parameters, arguments) TQJSON_FACADE_GUARDED(0, name, parameters, arguments)
#define TQJSON_FACADE_RELEASE(name, parameters, arguments)
#define TQJSON_FACADE_OPERATION(category, result, name, parameters, arguments) \
  TQJSON_FACADE_##category(name, parameters, arguments)

CJsonParser::CJsonParser(IJsonParser* adapter) : adapter_(adapter) {}

TQJSON_PARSER_OPERATIONS(TQJSON_FACADE_OPERATION)

void CJsonParser::Release() {
  if (adapter_ != nullptr) adapter_->Release();
  delete this;
}

}  // namespace TQJSON
