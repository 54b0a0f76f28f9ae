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

struct JsonParseOutcome;

class CRapidJsonParser final : public IJsonParser {
 public:
  CRapidJsonParser();

  TQJSON_PARSER_OPERATIONS(TQJSON_DECLARE_OPERATION_OVERRIDE)

 private:
  ~CRapidJsonParser() = default;

  // Loading. Records the outcome of a parse, with the rules every load
  // shares (the root must be an object or an array; `empty_string`: an
  // empty input reports kParseErrorEmptyString), and answers 1 or 0.
  std::int32_t FinishLoad(const JsonParseOutcome& outcome, bool empty_string);
  std::int32_t FailLoad(std::int32_t code);
  // The text of the current parse error; clears the scratch buffer.
  const char16_t* LookupErrorText();

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

  // Hands out the node that a lookup found (else returns the lookup's
  // code): as an item with its fine type code, or as a handle with its
  // coarse code.
  std::int32_t HandOutNode(std::int32_t lookup, const JsonValue* node, JsonItem* item, std::int32_t* type);
  std::int32_t HandOutNode(std::int32_t lookup, const JsonValue* node, JsonHandle* handle, std::int32_t* type);

  // Selection of an object or array (`wanted` is its type code): 1 when
  // the node is of that kind, else 0 with the node's coarse code (and, by
  // item, the member's item).
  std::int32_t SelectMember(JsonItem item, const char16_t* key, std::int32_t wanted, JsonItem* member,
                            std::int32_t* type);
  std::int32_t SelectMemberByHandle(JsonHandle handle, const char16_t* key, std::int32_t wanted, JsonHandle* member,
                                    std::int32_t* type);
  std::int32_t SelectPath(const char16_t* path, std::int32_t wanted, JsonHandle* handle, std::int32_t* type);
  std::int32_t SelectNode(std::int32_t lookup, const JsonValue* node, std::int32_t wanted, JsonHandle* handle,
                          std::int32_t* type);

  // Writes the node that a lookup found (else returns the lookup's code)
  // as JSON text into the text buffer, when it passes `is_kind` (any node
  // when null); 0 for a node of another kind or a null output.
  using KindTest = bool (JsonValue::*)() const;
  std::int32_t WriteNodeText(std::int32_t lookup, const JsonValue* node, KindTest is_kind, const char16_t** text);

  JsonDocument document_;
  std::int32_t parse_error_ = 0;
  std::uint32_t error_offset_ = 0;
  std::u16string message_;
  JsonTextBuffer text_;
  ScratchBuffer scratch_;
  HandleTable<const JsonValue*> handles_;
  std::unordered_set<const JsonValue*> items_;
};

}  // namespace TQJSON
