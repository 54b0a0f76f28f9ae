// A reader chain per test, with shorthands for loading text and reading
// the error state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/unicode.h"
#include "tqjson/json_parser.h"
#include "tqjson/json_parser_adapter.h"
#include "tqjson/rapid_json_parser.h"

namespace TQJSON {

inline IJsonParser* NewParserChain() {
  auto* adapter = new CJsonParserAdapter();
  adapter->SetImplementation(new CRapidJsonParser());
  return new CJsonParser(adapter);
}

class ParserTest : public ::testing::Test {
 protected:
  ~ParserTest() override { parser_->Release(); }

  // LoadFromBuffer of the bytes, as a truth value.
  bool Load(std::string_view bytes) { return parser_->LoadFromBuffer(bytes.data(), bytes.size()) == 1; }

  std::u16string ErrorText() {
    const char16_t* text = nullptr;
    EXPECT_EQ(parser_->GetErrorText(&text), 1);
    return text != nullptr ? text : u"<null>";
  }

  std::uint32_t ErrorOffset() {
    std::uint32_t offset = 0xFFFFFFFF;
    EXPECT_EQ(parser_->GetErrorOffset(&offset), 1);
    return offset;
  }

  // The string at a path ("<failed>" when there is none).
  std::u16string StringAt(const char16_t* path) {
    const char16_t* text = nullptr;
    if (parser_->GetStringByPath(path, &text) != 1) return u"<failed>";
    return text;
  }

  IJsonParser* parser_ = NewParserChain();
};

}  // namespace TQJSON
