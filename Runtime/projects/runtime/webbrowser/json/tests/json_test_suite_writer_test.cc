// Conformance through the writer: each file of JSONTestSuite's test_parsing
// folder that is UTF-8 text without NUL is loaded with LoadFromString and
// decided as json_test_suite_expectations.h lists (bytes of other forms are
// the reader's tests). An accepted document must load again from its
// SaveToBuffer text to the same text, and be grafted whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "generator_fixture.h"
#include "json_test_suite_expectations.h"
#include "platform/files.h"
#include "platform/unicode.h"
#include "testing/test_data.h"

namespace TQJSON {
namespace {

std::u16string Saved(IJsonGenerator& writer) {
  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
  if (writer.SaveToBuffer(&data, &size, kJsonEncodingUtf8) != kJsonSuccess) return u"<not saved>";
  return platform::Utf8ToUtf16(std::string(reinterpret_cast<const char*>(data), size));
}

// True when the saved text loads again to itself and the original text is
// grafted to it.
bool MakesTheRoundTrip(const std::u16string& saved, const std::u16string& original) {
  IJsonGenerator* again = NewGeneratorChain();
  JsonHandle handle = 0;
  const char16_t* grafted = nullptr;
  const bool same = again->LoadFromString(saved.c_str(), &handle) == kJsonSuccess && Saved(*again) == saved &&
                    again->CreateRootArrayHandle(&handle) == kJsonSuccess &&
                    again->InsertTextByHandle(handle, original.c_str(), &handle) == kJsonSuccess &&
                    again->GetJsonText(&grafted) == kJsonSuccess && grafted == u"[" + saved + u"]";
  again->Release();
  return same;
}

TEST(JsonTestSuite, TextsMakeTheRoundTripThroughTheWriter) {
  const std::string folder = lumarine_testing::TestDataPath("JSONTestSuite/test_parsing");
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file = entry.path().filename().string();
    const std::optional<std::string> bytes = platform::ReadWholeFile(platform::Utf8ToUtf16(entry.path().string()));
    ASSERT_TRUE(bytes) << file;
    const std::optional<std::u16string> text = platform::Utf8ToUtf16Strict(*bytes);
    if (!text || text->find(u'\0') != std::u16string::npos) continue;
    const std::optional<SuiteExpectation> expected = ExpectationFor(file);
    ASSERT_TRUE(expected) << file << " is not decided in json_test_suite_expectations.h";
    ++checked;
    IJsonGenerator* writer = NewGeneratorChain();
    JsonHandle root = 0;
    const bool accepted = writer->LoadFromString(text->c_str(), &root) == kJsonSuccess;
    EXPECT_EQ(accepted, expected->accepted) << file;
    if (accepted) {
      EXPECT_TRUE(MakesTheRoundTrip(Saved(*writer), *text)) << file << ": " << *bytes;
    }
    writer->Release();
  }
  EXPECT_GT(checked, 250);  // of 318: the others are not UTF-8 text
}

}  // namespace
}  // namespace TQJSON
