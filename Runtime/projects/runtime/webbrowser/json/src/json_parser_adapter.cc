#include "tqjson/json_parser_adapter.h"

#include "tqjson/rapid_json_parser.h"

namespace TQJSON {

#define TQJSON_ADAPTER_PLAIN(name, parameters, arguments)                               \
  std::int32_t CJsonParserAdapter::name parameters {                                    \
    IJsonParser* current = implementation_.get();                                       \
    return current != nullptr ? current->name arguments : std::int32_t{JSONFUN_FAILED}; \
  }
#define TQJSON_ADAPTER_TRUTH TQJSON_ADAPTER_PLAIN
#define TQJSON_ADAPTER_LOAD(name, parameters, arguments) \
  std::int32_t CJsonParserAdapter::name parameters { return implementation_.Renew()->name arguments; }
#define TQJSON_ADAPTER_ERROR_FLAG(name, parameters, arguments)         \
  std::int32_t CJsonParserAdapter::name parameters {                   \
    IJsonParser* current = implementation_.get();                      \
    return current != nullptr && current->name arguments != 0 ? 1 : 0; \
  }
#define TQJSON_ADAPTER_RELEASE(name, parameters, arguments)
#define TQJSON_ADAPTER_OPERATION(category, result, name, parameters, arguments) \
  TQJSON_ADAPTER_##category(name, parameters, arguments)

CJsonParserAdapter::CJsonParserAdapter(std::uint32_t flags) : flags_(flags) {}

void CJsonParserAdapter::SetImplementation(IJsonParser* implementation) { implementation_.Set(implementation); }

TQJSON_PARSER_OPERATIONS(TQJSON_ADAPTER_OPERATION)

void CJsonParserAdapter::Release() { delete this; }

}  // namespace TQJSON
