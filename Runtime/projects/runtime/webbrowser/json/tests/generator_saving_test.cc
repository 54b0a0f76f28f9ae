// Saving documents: the four encodings byte for byte, compact and indented
// text, buffers, and files that are replaced whole or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "encoded_text.h"
#include "generator_fixture.h"
#include "platform/files.h"
#include "testing/file_size_limit.h"
#include "testing/temp_dir.h"

namespace TQJSON {
namespace {

using lumarine_testing::TempDir;

class Saving : public GeneratorTest {
 protected:
  // {"x":1}
  void BuildSmallDocument() {
    const JsonItem root = NewRootObject();
    ASSERT_EQ(generator_->AddIntMember(root, u"x", 1, &item_), kJsonSuccess);
  }

  std::optional<std::string> SavedFile(std::int32_t encoding) {
    const platform::WString file = dir_.File(u"out.json");
    if (generator_->SaveToFile(file.c_str(), encoding) != kJsonSuccess) return std::nullopt;
    return platform::ReadWholeFile(file);
  }

  std::string SavedBuffer(std::int32_t encoding) {
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
    if (generator_->SaveToBuffer(&data, &size, encoding) != kJsonSuccess) return "<failed>";
    return std::string(reinterpret_cast<const char*>(data), size);
  }

  std::size_t EntryCount() const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.native_path())) ++count;
    return count;
  }

  TempDir dir_;
};

TEST_F(Saving, FilesCarryTheByteOrderMarkOfTheirEncoding) {
  BuildSmallDocument();
  const std::u16string text = u"{\"x\":1}";
  EXPECT_EQ(SavedFile(kJsonEncodingAscii), "{\"x\":1}");
  EXPECT_EQ(SavedFile(kJsonEncodingUtf8), "\xEF\xBB\xBF{\"x\":1}");
  EXPECT_EQ(SavedFile(kJsonEncodingUtf16LE), "\xFF\xFE" + Utf16Bytes(text, false));
  EXPECT_EQ(SavedFile(kJsonEncodingUtf16BE), "\xFE\xFF" + Utf16Bytes(text, true));
  // Buffers carry none.
  EXPECT_EQ(SavedBuffer(kJsonEncodingUtf16LE), Utf16Bytes(text, false));
  EXPECT_EQ(SavedBuffer(kJsonEncodingUtf16BE), Utf16Bytes(text, true));
  EXPECT_EQ(SavedBuffer(kJsonEncodingUtf8), "{\"x\":1}");
}

TEST_F(Saving, EscapesAndNonAsciiCharactersInEachEncoding) {
  const JsonItem root = NewRootArray();
  const std::u16string value = u"\u00E9\U0001F600\u0001\t\"\\/~\u007F";
  ASSERT_EQ(generator_->AppendString(root, value.c_str(), &item_), kJsonSuccess);
  EXPECT_EQ(SavedBuffer(kJsonEncodingAscii), R"(["\u00E9\uD83D\uDE00\u0001\t\"\\/~)"
                                             "\x7F\"]");
  EXPECT_EQ(SavedBuffer(kJsonEncodingUtf8), "[\"\xC3\xA9\xF0\x9F\x98\x80\\u0001\\t\\\"\\\\/~\x7F\"]");
  EXPECT_EQ(SavedBuffer(kJsonEncodingUtf16LE), Utf16Bytes(u"[\"\u00E9\U0001F600\\u0001\\t\\\"\\\\/~\u007F\"]", false));
  EXPECT_EQ(SavedFile(kJsonEncodingAscii), SavedBuffer(kJsonEncodingAscii));
}

TEST_F(Saving, UnpairedSurrogatesAreEscapedRatherThanLost) {
  const JsonItem root = NewRootObject();
  ASSERT_EQ(generator_->AddStringMember(root, u"k\xDC00", u"a\xD800\u00E9", &item_), kJsonSuccess);
  const std::string expected = R"({"k\uDC00":"a\uD800\u00E9"})";
  EXPECT_EQ(Text(), expected);
  for (const std::int32_t encoding : {kJsonEncodingAscii, kJsonEncodingUtf8}) {
    EXPECT_EQ(SavedBuffer(encoding), expected);
  }
  EXPECT_EQ(SavedFile(kJsonEncodingUtf16BE), "\xFE\xFF" + Utf16Bytes(platform::Utf8ToUtf16(expected), true));
}

TEST_F(Saving, NumbersAndSpecialValuesInEveryOutput) {
  JsonHandle root = 0;
  ASSERT_EQ(generator_->CreateRootArrayHandle(&root), kJsonSuccess);
  generator_->AppendDoubleByPath(u"/", 0.1, &handle_);
  generator_->AppendUInt64ByPath(u"/", 18446744073709551615u, &handle_);
  generator_->AppendSpecialNumberByPath(u"/", kJsonNumberNaN, &handle_);
  generator_->AppendSpecialNumberByHandle(root, kJsonNumberNegativeInfinity, &handle_);
  const std::string expected = "[0.1,18446744073709551615,NaN,-Infinity]";
  EXPECT_EQ(Text(), expected);
  EXPECT_EQ(SavedBuffer(kJsonEncodingUtf8), expected);
  EXPECT_EQ(SavedFile(kJsonEncodingAscii), expected);
}

TEST_F(Saving, IndentedTextFromTheImplementationCompactThroughTheChain) {
  const JsonItem root = NewRootObject();
  ASSERT_EQ(generator_->AddArrayMember(root, u"a", &item_), kJsonSuccess);
  const JsonItem list = item_;
  generator_->AppendInt(list, 1, &item_);
  generator_->AppendSpecialNumberByPath(u"/a", kJsonNumberPositiveInfinity, &handle_);
  generator_->AddObjectMember(root, u"b", &item_);
  const platform::WString file = dir_.File(u"out.json");
  ASSERT_EQ(generator_->SaveToFileFormatted(file.c_str(), kJsonEncodingUtf8, 1), kJsonSuccess);
  EXPECT_EQ(platform::ReadWholeFile(file), "\xEF\xBB\xBF{\"a\":[1,Infinity],\"b\":{}}");

  // The implementation itself writes indented text, special values included.
  IJsonGenerator* writer = new CRapidJsonGenerator();
  JsonHandle handle = 0;
  writer->CreateRootObjectHandle(&handle);
  writer->AddArrayMemberByHandle(1, u"a", &handle);
  writer->AppendIntByHandle(2, 1, &handle);
  writer->AppendSpecialNumberByHandle(2, kJsonNumberPositiveInfinity, &handle);
  writer->AddObjectMemberByHandle(1, u"b", &handle);
  ASSERT_EQ(writer->SaveToFileFormatted(file.c_str(), kJsonEncodingAscii, 1), kJsonSuccess);
  const std::optional<std::string> indented = platform::ReadWholeFile(file);
  EXPECT_EQ(indented, "{\n    \"a\": [\n        1,\n        Infinity\n    ],\n    \"b\": {}\n}");
  EXPECT_EQ(writer->SaveToFileFormatted(file.c_str(), kJsonEncodingAscii, 2), JSONFUN_FAILED);
  EXPECT_EQ(platform::ReadWholeFile(file), indented);
  writer->Release();
}

TEST_F(Saving, EmptyDocumentsAndRefusedRequests) {
  const char16_t* text = nullptr;
  ASSERT_EQ(generator_->GetJsonText(&text), kJsonSuccess);
  EXPECT_EQ(std::u16string(text), u"");
  EXPECT_EQ(generator_->GetJsonText(nullptr), JSONFUN_FAILED);
  EXPECT_EQ(SavedBuffer(kJsonEncodingUtf8), "<failed>");
  EXPECT_EQ(SavedFile(kJsonEncodingUtf8), "");  // an empty file

  BuildSmallDocument();
  const std::uint8_t* data = reinterpret_cast<const std::uint8_t*>("x");
  std::uint32_t size = 0;
  EXPECT_EQ(generator_->SaveToBuffer(&data, &size, 4), JSONFUN_FAILED);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(generator_->SaveToBuffer(nullptr, &size, 2), JSONFUN_FAILED);
  EXPECT_EQ(generator_->SaveToFile(nullptr, 2), JSONFUN_FAILED);
  EXPECT_EQ(generator_->SaveToFile(u"", 2), JSONFUN_FAILED);
}

TEST_F(Saving, AFileIsReplacedWholeOrNotAtAll) {
  BuildSmallDocument();
  const platform::WString file = dir_.File(u"out.json");
  ASSERT_TRUE(dir_.Write(u"out.json", "previous"));
  ASSERT_EQ(::chmod(platform::NativePath(file).c_str(), 0640), 0);

  EXPECT_EQ(generator_->SaveToFile(file.c_str(), 7), JSONFUN_FAILED);
  EXPECT_EQ(platform::ReadWholeFile(file), "previous");

  ASSERT_EQ(generator_->SaveToFile(file.c_str(), kJsonEncodingAscii), kJsonSuccess);
  EXPECT_EQ(platform::ReadWholeFile(file), "{\"x\":1}");
  struct stat st;
  ASSERT_EQ(::stat(platform::NativePath(file).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  EXPECT_EQ(generator_->SaveToFile(dir_.File(u"no/such/folder.json").c_str(), 2), JSONFUN_FAILED);
  EXPECT_EQ(generator_->SaveToFile(dir_.path().c_str(), 2), JSONFUN_FAILED);
  ASSERT_EQ(::chmod(platform::NativePath(file).c_str(), 0444), 0);
  EXPECT_EQ(generator_->SaveToFile(file.c_str(), kJsonEncodingUtf8), JSONFUN_FAILED);
  EXPECT_EQ(platform::ReadWholeFile(file), "{\"x\":1}");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(Saving, AFullDiskLeavesThePreviousFile) {
  const JsonItem root = NewRootArray();
  const std::u16string long_text(20000, u'z');
  ASSERT_EQ(generator_->AppendString(root, long_text.c_str(), &item_), kJsonSuccess);
  const platform::WString file = dir_.File(u"out.json");
  ASSERT_TRUE(dir_.Write(u"out.json", "previous"));
  std::int32_t result = kJsonSuccess;
  {
    lumarine_testing::ScopedFileSizeLimit limit(4096);
    result = generator_->SaveToFile(file.c_str(), kJsonEncodingUtf8);
  }
  EXPECT_EQ(result, JSONFUN_FAILED);
  EXPECT_EQ(platform::ReadWholeFile(file), "previous");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(Saving, DeepDocumentsAreWrittenWithoutRecursion) {
  JsonItem level = NewRootArray();
  constexpr int kDepth = 100000;
  for (int i = 1; i < kDepth; ++i) ASSERT_EQ(generator_->AppendArray(level, &level), kJsonSuccess);
  const std::string expected = std::string(kDepth, '[') + std::string(kDepth, ']');
  EXPECT_EQ(Text(), expected);
  EXPECT_EQ(SavedBuffer(kJsonEncodingUtf8), expected);
  EXPECT_EQ(SavedFile(kJsonEncodingAscii), expected);
}

}  // namespace
}  // namespace TQJSON
