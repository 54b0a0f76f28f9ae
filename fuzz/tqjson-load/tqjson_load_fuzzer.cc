// Feeds arbitrary bytes to the reader's LoadFromBuffer, as a caller hands
// it any file: any encoding, any depth, any garbage. A failed load must
// report an offset inside the input and a text; a loaded document must be
// readable node by node, and its JSON text must load again to the same
// text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tqjson/json_parser.h"
#include "tqjson/json_parser_adapter.h"
#include "tqjson/rapid_json_parser.h"

namespace {

using namespace TQJSON;

IJsonParser* NewReader() {
  auto* adapter = new CJsonParserAdapter();
  adapter->SetImplementation(new CRapidJsonParser());
  return new CJsonParser(adapter);
}

void Require(bool condition) {
  if (!condition) std::abort();
}

// The whole document as JSON text.
std::u16string TreeText(IJsonParser* reader) {
  const char16_t* text = nullptr;
  if (reader->GetObjectJsonTextByPath(u"/", &text) != kJsonSuccess) {
    Require(reader->GetArrayJsonTextByPath(u"/", &text) == kJsonSuccess);
  }
  Require(text != nullptr);
  return text;
}

// Visits every node by item and reads it in the form its type code names.
void ReadEveryNode(IJsonParser* reader) {
  JsonItem root = 0;
  std::int32_t type = 0;
  Require(reader->GetRoot(&root, &type) == kJsonSuccess);
  std::vector<JsonItem> pending{root};
  while (!pending.empty()) {
    const JsonItem item = pending.back();
    pending.pop_back();
    std::int32_t count = 0;
    if (reader->GetChildCount(item, &count) != kJsonSuccess) {
      const char16_t* text = nullptr;
      double number = 0;
      std::int32_t flag = 0;
      Require(reader->GetString(item, &text) == kJsonSuccess || reader->GetDouble(item, &number) == kJsonSuccess ||
              reader->GetBoolean(item, &flag) == kJsonSuccess || (reader->GetItemType(item, &type) == kJsonSuccess &&
                                                                  type == kJsonTypeNull));
      continue;
    }
    for (std::int32_t i = 0; i < count; ++i) {
      JsonItem child = 0;
      Require(reader->GetChild(item, i, &child, &type) == kJsonSuccess);
      const char16_t* name = nullptr;
      reader->GetMemberName(item, i, &name);
      pending.push_back(child);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  IJsonParser* reader = NewReader();
  const bool loaded = reader->LoadFromBuffer(data, static_cast<std::uint32_t>(size)) == 1;
  const char16_t* error = nullptr;
  Require(reader->GetErrorText(&error) == kJsonSuccess && error != nullptr);
  if (!loaded) {
    std::uint32_t offset = 0;
    Require(reader->HasError() == 1 && reader->GetErrorOffset(&offset) == kJsonSuccess && offset <= size);
    reader->Release();
    return 0;
  }
  ReadEveryNode(reader);
  const std::u16string text = TreeText(reader);
  IJsonParser* again = NewReader();
  Require(again->LoadFromString(text.c_str()) == 1 && TreeText(again) == text);
  again->Release();
  reader->Release();
  return 0;
}
