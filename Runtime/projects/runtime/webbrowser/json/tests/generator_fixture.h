// A writer chain per test, and its document as UTF-8 text.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/unicode.h"
#include "tqjson/json_generator.h"
#include "tqjson/json_generator_adapter.h"
#include "tqjson/rapid_json_generator.h"

namespace TQJSON {

inline IJsonGenerator* NewGeneratorChain() {
  auto* adapter = new CJsonGeneratorAdapter();
  adapter->SetImplementation(new CRapidJsonGenerator());
  return new CJsonGenerator(adapter);
}

class GeneratorTest : public ::testing::Test {
 protected:
  ~GeneratorTest() override { generator_->Release(); }

  // GetJsonText as UTF-8 ("<failed>" when it fails).
  std::string Text() {
    const char16_t* text = nullptr;
    if (generator_->GetJsonText(&text) != kJsonSuccess || text == nullptr) return "<failed>";
    return platform::Utf16ToUtf8(text);
  }

  // The path of a handle ("<failed>" when there is none).
  std::u16string PathOf(JsonHandle handle) {
    char16_t buffer[4096];
    if (generator_->GetPathOfHandle(handle, buffer, 4096) != kJsonSuccess) return u"<failed>";
    return buffer;
  }

  JsonItem NewRootObject() {
    JsonItem root = 0;
    EXPECT_EQ(generator_->CreateRootObject(&root), kJsonSuccess);
    return root;
  }

  JsonItem NewRootArray() {
    JsonItem root = 0;
    EXPECT_EQ(generator_->CreateRootArray(&root), kJsonSuccess);
    return root;
  }

  IJsonGenerator* generator_ = NewGeneratorChain();
  JsonItem item_ = 0;
  JsonHandle handle_ = 0;
};

}  // namespace TQJSON
