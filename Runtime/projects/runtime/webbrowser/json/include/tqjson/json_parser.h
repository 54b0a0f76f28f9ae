// CJsonParser: the reader's facade, the object its user holds. Every
// operation is passed to the adapter inside a guard: an exception that
// escapes (memory exhaustion, a failed RapidJSON assertion) becomes
// kJsonExceptionCaught, or false for the existence tests, and the chain
// stays usable. There is no factory; the user builds the chain:
//
//   auto* adapter = new CJsonParserAdapter();
//   adapter->SetImplementation(new CRapidJsonParser());
//   IJsonParser* parser = new CJsonParser(adapter);
//   ...
//   parser->Release();  // releases the adapter and its implementation
#pragma once

#include "tqjson/declare_operations.h"
#include "tqjson/ijson_parser.h"

namespace TQJSON {

class CJsonParser final : public IJsonParser {
 public:
  // Takes ownership of the adapter (may be null: every operation then
  // fails with JSONFUN_FAILED).
  explicit CJsonParser(IJsonParser* adapter);

  TQJSON_PARSER_OPERATIONS(TQJSON_DECLARE_OPERATION_OVERRIDE)

 private:
  ~CJsonParser() = default;

  IJsonParser* adapter_;
};

}  // namespace TQJSON
