// CJsonParserAdapter: owns the reader's current implementation and replaces
// it by a new CRapidJsonParser at the start of every load, so that nothing
// of an earlier document (handles, items, strings, error state) survives a
// load, successful or not. Every other operation is forwarded; HasError
// answers exactly 0 or 1. Not thread-safe; used through CJsonParser.
#pragma once

#include <cstdint>

#include "tqjson/declare_operations.h"
#include "tqjson/ijson_parser.h"
#include "tqjson/replaceable_implementation.h"

namespace TQJSON {

class CRapidJsonParser;

class CJsonParserAdapter final : public IJsonParser {
 public:
  // Starts without an implementation (operations fail with JSONFUN_FAILED
  // until one is given or a load creates one). No operation changes the
  // flag word.
  explicit CJsonParserAdapter(std::uint32_t flags = 0);

  // Takes ownership of `implementation`, releasing the current one.
  void SetImplementation(IJsonParser* implementation);

  std::uint32_t flags() const { return flags_; }

  TQJSON_PARSER_OPERATIONS(TQJSON_DECLARE_OPERATION_OVERRIDE)

 private:
  ~CJsonParserAdapter() = default;

  ReplaceableImplementation<IJsonParser, CRapidJsonParser> implementation_;
  std::uint32_t flags_;
};

}  // namespace TQJSON
