// CRapidJsonParser: the reader's implementation. It holds one UTF-16
// RapidJSON document and the reader's state: the result of the last parse,
// the handles and items handed out, and the buffers that strings, blobs and
// JSON texts are handed out from. A new object holds a null root, no
// handles and parse-error code 0; the adapter replaces the object at every
// load (see json_parser_adapter.h). Not thread-safe.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>

#include "tqjson/declare_operations.h"
#include "tqjson/handle_table.h"
#include "tqjson/ijson_parser.h"
#include "tqjson/json_document.h"
#include "tqjson/scratch_buffer.h"

namespace TQJSON {

class CRapidJsonParser final : public IJsonParser {
 public:
  CRapidJsonParser();

  TQJSON_PARSER_OPERATIONS(TQJSON_DECLARE_OPERATION_OVERRIDE)

 private:
  ~CRapidJsonParser() = default;

  // Addressing. The document does not change between loads, so an item or
  // handle stays valid as long as this object; only items and handles that
  // this object handed out are accepted.
  JsonItem HandOutItem(const JsonValue* node);
  // The node of an item handed out by this object, else null.
  const JsonValue* FindItem(JsonItem item) const;
  // The node's handle: the one it first received, or the next number.
  JsonHandle HandOutHandle(const JsonValue* node);
  // The node of a handle, or null when it was not handed out.
  const JsonValue* FindHandle(JsonHandle handle) const;
  // 1 with the node that a path names, or JSONFUN_PATH_ERROR.
  std::int32_t FindPath(const char16_t* path, const JsonValue** node) const;

  JsonDocument document_;
  std::int32_t parse_error_ = 0;
  std::uint32_t error_offset_ = 0;
  JsonTextBuffer text_;
  ScratchBuffer scratch_;
  HandleTable<const JsonValue*> handles_;
  std::unordered_set<const JsonValue*> items_;
};

}  // namespace TQJSON
