// Loading a reader from buffers, strings and files: encoding detection, the
// ANSI fallback, the error state, and the limits that keep hostile input
// harmless.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <string>

#include "allocation_failure.h"
#include "encoded_text.h"
#include "parser_fixture.h"
#include "platform/unicode.h"
#include "testing/temp_dir.h"

namespace TQJSON {
namespace {

using namespace std::string_literals;

std::string Nested(char open, int depth, std::string_view inner, char close) {
  return std::string(depth, open) + std::string(inner) + std::string(depth, close);
}

constexpr char16_t kDocument[] = u"{\"name\":\"caf\u00E9 \U0001F600\"}";
constexpr char16_t kName[] = u"caf\u00E9 \U0001F600";

TEST_F(ParserTest, EveryUnicodeFormLoadsWithOrWithoutAByteOrderMark) {
  const std::u16string text = kDocument;
  const std::u16string marked = u"\uFEFF" + text;
  const std::string forms[] = {
      platform::Utf16ToUtf8(text), platform::Utf16ToUtf8(marked), Utf16Bytes(text, false), Utf16Bytes(marked, false),
      Utf16Bytes(text, true),      Utf16Bytes(marked, true),      Utf32Bytes(text, false), Utf32Bytes(marked, false),
      Utf32Bytes(text, true),      Utf32Bytes(marked, true),
  };
  for (const std::string& bytes : forms) {
    ASSERT_TRUE(Load(bytes)) << platform::Utf16ToUtf8(ErrorText());
    EXPECT_EQ(StringAt(u"/name"), kName);
  }
  ASSERT_EQ(parser_->LoadFromString(text.c_str()), 1);
  EXPECT_EQ(StringAt(u"/name"), kName);
  ASSERT_EQ(parser_->LoadFromString(marked.c_str()), 1);
  EXPECT_EQ(StringAt(u"/name"), kName);
}

TEST_F(ParserTest, ShortInputsAreUtf8WithoutAMark) {
  EXPECT_TRUE(Load("[]"));
  EXPECT_FALSE(Load("\xEF\xBB\xBF"));
  EXPECT_EQ(ErrorText(), u"Invalid value.");
  EXPECT_TRUE(Load("\xEF\xBB\xBF[]"));
}

TEST_F(ParserTest, BytesThatAreNotUtf8AreReadAsAnsiText) {
  ASSERT_TRUE(Load("{\"name\":\"caf\xE9 \x80\"}"));
  EXPECT_EQ(StringAt(u"/name"), u"caf\u00E9 \u20AC");
  // After the fallback the offset counts units of the converted text.
  EXPECT_FALSE(Load("[\"\xE9\xE9\",]"));
  EXPECT_EQ(ErrorText(), u"Invalid value.");
  EXPECT_EQ(ErrorOffset(), 6u);
  // UTF-16 input that is not well formed gets no second chance.
  EXPECT_FALSE(Load(Utf16Bytes(u"[\"\xDC00\"]", false)));
  EXPECT_EQ(ErrorText(), u"Invalid encoding in string.");
  EXPECT_EQ(ErrorOffset(), 4u);
}

TEST_F(ParserTest, OnlyObjectsAndArraysAreRoots) {
  for (const char* scalar : {"42", "\"text\"", "true", "null", "NaN"}) {
    EXPECT_FALSE(Load(scalar)) << scalar;
    EXPECT_EQ(ErrorText(), u"Invalid value.");
    EXPECT_EQ(ErrorOffset(), 0u);
  }
  EXPECT_EQ(parser_->LoadFromString(u"  7 "), 0);
  EXPECT_EQ(ErrorText(), u"Invalid value.");
  // The value stays readable by path, while the root operations refuse it.
  std::int32_t number = 0;
  EXPECT_EQ(parser_->GetIntByPath(u"/", &number), 1);
  EXPECT_EQ(number, 7);
  JsonItem root = 0;
  std::int32_t type = 0;
  EXPECT_EQ(parser_->GetRoot(&root, &type), 0);
}

TEST_F(ParserTest, SpecialNumbersAreNumbers) {
  ASSERT_TRUE(Load("[NaN, -NaN, Infinity, -Infinity, Inf, -Inf]"));
  const std::uint32_t expected[] = {1, 1, 2, 3, 2, 3};
  for (std::uint32_t i = 0; i < 6; ++i) {
    const std::u16string path = u"/" + std::u16string(1, static_cast<char16_t>(u'1' + i));
    std::uint32_t kind = 99;
    EXPECT_EQ(parser_->GetNumberKindByPath(path.c_str(), &kind), 1);
    EXPECT_EQ(kind, expected[i]) << i;
  }
  EXPECT_FALSE(Load("[Infinit]"));
  EXPECT_FALSE(Load("[nan]"));
  // The literals end where they end: no fraction or exponent follows them.
  for (const char* extended : {"[Inf.5]", "[ -Infinity.25]", "[NaN.0]", "[InfE7]", "[NaNe1]"}) {
    EXPECT_FALSE(Load(extended)) << extended;
    EXPECT_EQ(ErrorText(), u"Invalid value.");
  }
  EXPECT_FALSE(Load("[1, -Inf.5]"));
  EXPECT_EQ(ErrorOffset(), 4u);
  std::string many = "[";
  for (int i = 0; i < 200; ++i) many += "1.5,";
  EXPECT_TRUE(Load(many + "2.5]"));
  EXPECT_FALSE(Load(many + "NaN.5]"));
  EXPECT_EQ(ErrorOffset(), many.size());
}

TEST_F(ParserTest, NumbersAreReadToTheNearestDouble) {
  ASSERT_TRUE(Load("[0.1, 1.7976931348623157e308, 5e-324, 2.2250738585072011e-308, 0e-40, -0.000e-30, "
                   "-65.613616999999977, 123456789012345678901234567890]"));
  const double expected[] = {0.1, 1.7976931348623157e308, 5e-324, 2.2250738585072011e-308, 0.0, -0.0,
                             -65.613616999999977, 123456789012345678901234567890.0};
  for (std::uint32_t i = 0; i < 8; ++i) {
    const std::u16string path = u"/" + std::u16string(1, static_cast<char16_t>(u'1' + i));
    double value = 1;
    ASSERT_EQ(parser_->GetDoubleByPath(path.c_str(), &value), 1);
    EXPECT_EQ(value, expected[i]) << i;
    EXPECT_EQ(std::signbit(value), std::signbit(expected[i])) << i;
  }
  ASSERT_TRUE(Load("[1e-400, -1e-400, 2.4703282292062328e-324, 0.0e-400]"));
  double tiny = 1;
  EXPECT_EQ(parser_->GetDoubleByPath(u"/2", &tiny), 1);
  EXPECT_TRUE(tiny == 0.0 && std::signbit(tiny));
  EXPECT_EQ(parser_->GetDoubleByPath(u"/3", &tiny), 1);
  EXPECT_EQ(tiny, 5e-324);
  for (const char* huge : {"[1e309]", "[ 9e308]", "[-1.8e308]"}) {
    EXPECT_FALSE(Load(huge)) << huge;
    EXPECT_EQ(ErrorText(), u"Number too big to be stored in double.");
  }
  EXPECT_EQ(ErrorOffset(), 1u);
}

TEST_F(ParserTest, EmptyAndMissingInputsHaveCodesOfTheirOwn) {
  EXPECT_EQ(parser_->LoadFromString(u""), 0);
  EXPECT_EQ(ErrorText(), u"The string is empty.");
  EXPECT_FALSE(Load(" \r\n\t"));
  EXPECT_EQ(ErrorText(), u"The string is empty.");
  EXPECT_EQ(ErrorOffset(), 0u);
  EXPECT_EQ(parser_->LoadFromBuffer(nullptr, 4), 0);
  EXPECT_EQ(ErrorText(), u"The pointer to the json text is null.");
  EXPECT_EQ(parser_->LoadFromString(nullptr), 0);
  EXPECT_EQ(ErrorText(), u"The pointer to the json text is null.");
  EXPECT_EQ(parser_->LoadFromFile(nullptr), 0);
  EXPECT_EQ(ErrorText(), u"The pointer to the file name is null.");
  EXPECT_EQ(parser_->LoadFromFile(u"/nonexistent/folder/file.json"), 0);
  EXPECT_EQ(ErrorText(), u"The file name does not exist.");
  EXPECT_EQ(parser_->GetErrorOffset(nullptr), 0);
  EXPECT_EQ(parser_->GetErrorText(nullptr), 0);
}

TEST_F(ParserTest, ErrorOffsetsCountBytesOfTheInputAtTheCharacterThatStoppedTheParse) {
  EXPECT_FALSE(Load("[1,]"));
  EXPECT_EQ(ErrorText(), u"Invalid value.");
  EXPECT_EQ(ErrorOffset(), 3u);
  EXPECT_FALSE(Load("\xFF\xFE" + Utf16Bytes(u"[1,]", false)));
  EXPECT_EQ(ErrorOffset(), 8u);
  EXPECT_EQ(parser_->LoadFromString(u"[1,]"), 0);
  EXPECT_EQ(ErrorOffset(), 6u);
  EXPECT_FALSE(Load("{\"a\" 1}"));
  EXPECT_EQ(ErrorText(), u"Missing a colon after a name of object member.");
  EXPECT_EQ(ErrorOffset(), 5u);
  EXPECT_EQ(parser_->HasError(), 1);
  EXPECT_TRUE(Load("[1]"));
  EXPECT_EQ(parser_->HasError(), 0);
  EXPECT_EQ(ErrorText(), u"No error.");
}

TEST_F(ParserTest, AFailedLoadLeavesNothingOfTheDocumentBefore) {
  ASSERT_TRUE(Load("{\"a\":1}"));
  JsonHandle handle = 0;
  ASSERT_EQ(parser_->GetHandleByPath(u"/a", &handle), 1);
  EXPECT_FALSE(Load("{\"a\":"));
  EXPECT_EQ(parser_->PathExists(u"/"), 1);  // a null root
  EXPECT_EQ(parser_->PathExists(u"/a"), 0);
  std::int32_t type = 0;
  EXPECT_EQ(parser_->GetItemTypeByHandle(handle, &type), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetItemTypeByPath(u"/", &type), 1);
  EXPECT_EQ(type, kJsonTypeNull);
}

TEST_F(ParserTest, NestingIsLimitedWithoutExhaustingTheStack) {
  EXPECT_FALSE(Load(std::string(100000, '[')));
  EXPECT_EQ(ErrorText(), u"Terminate parsing due to Handler error.");
  EXPECT_EQ(ErrorOffset(), 1000u);
  EXPECT_FALSE(Load(Nested('[', 100000, "", ']')));
  std::string deep_objects;
  for (int i = 0; i < 100000; ++i) deep_objects += "{\"a\":";
  EXPECT_FALSE(Load(deep_objects));
  EXPECT_EQ(ErrorText(), u"Terminate parsing due to Handler error.");

  const std::string deepest = Nested('[', 1000, "7", ']');
  ASSERT_TRUE(Load(deepest));
  const char16_t* text = nullptr;
  ASSERT_EQ(parser_->GetArrayJsonTextByPath(u"/", &text), 1);
  EXPECT_EQ(platform::Utf16ToUtf8(text), deepest);
  std::int32_t depth = 0;
  JsonItem item = 0;
  std::int32_t type = 0;
  ASSERT_EQ(parser_->GetRoot(&item, &type), 1);
  while (parser_->GetChild(item, 0, &item, &type) == 1 && type == kJsonTypeArray) ++depth;
  EXPECT_EQ(depth, 999);
  EXPECT_EQ(type, kJsonTypeInt32);
  EXPECT_FALSE(Load(Nested('[', 1001, "", ']')));
}

TEST_F(ParserTest, NothingButWhiteSpaceMayFollowTheRoot) {
  EXPECT_FALSE(Load("[]\0junk"s));
  EXPECT_EQ(ErrorText(), u"The root must not be followed by other values.");
  EXPECT_EQ(ErrorOffset(), 2u);
  EXPECT_FALSE(Load("{}\0"s));
  EXPECT_EQ(ErrorOffset(), 2u);
  EXPECT_FALSE(Load("[1,\0 2]"s));
  EXPECT_FALSE(Load("[] []"));
  EXPECT_EQ(ErrorOffset(), 3u);
  EXPECT_TRUE(Load("[] \r\n\t"));
  // A UTF-16 unit cut short is not white space either.
  EXPECT_FALSE(Load(Utf16Bytes(u"[1]", false) + " "));
  EXPECT_EQ(ErrorText(), u"The root must not be followed by other values.");
  EXPECT_EQ(ErrorOffset(), 6u);
  const char16_t with_nul[] = u"[1]\0[2]";
  EXPECT_EQ(parser_->LoadFromBuffer(with_nul, sizeof(with_nul) - 2), 0);
}

TEST_F(ParserTest, SurrogatesMustBePaired) {
  ASSERT_TRUE(Load(R"(["\uD83D\uDE00"])"));
  EXPECT_EQ(StringAt(u"/1"), u"\U0001F600");
  for (const char* lone : {R"(["\uDC00"])", R"(["\uD800"])", R"(["\uD800\u0041"])", R"(["\uD800x"])"}) {
    EXPECT_FALSE(Load(lone)) << lone;
    EXPECT_EQ(ErrorText(), u"The surrogate pair in string is invalid.");
    EXPECT_EQ(ErrorOffset(), 2u) << lone;
  }
  EXPECT_FALSE(Load(R"({"\uDFFF":1})"));
  EXPECT_EQ(ErrorText(), u"The surrogate pair in string is invalid.");
  EXPECT_EQ(parser_->LoadFromString(u"[\"ab\\uDC00\"]"), 0);
  EXPECT_EQ(ErrorText(), u"The surrogate pair in string is invalid.");
  EXPECT_EQ(ErrorOffset(), 8u);
  EXPECT_FALSE(Load(Utf16Bytes(u"[\"\\uDC00\"]", true)));
  EXPECT_EQ(ErrorOffset(), 4u);
  // Raw surrogates are ill-formed text.
  EXPECT_FALSE(Load(Utf32Bytes(u"[\"", false) + "\x00\xD8\x00\x00"s + Utf32Bytes(u"\"]", false)));
  EXPECT_EQ(ErrorText(), u"Invalid encoding in string.");
  EXPECT_EQ(parser_->LoadFromString(u"[\"\xD800\"]"), 0);
  EXPECT_EQ(ErrorText(), u"Invalid encoding in string.");
}

TEST_F(ParserTest, AnAllocationFailureAtAnyPointGivesMinusFiveAndTheReaderStaysUsable) {
  const std::string ansi = "{\"name\":\"caf\xE9\",\"list\":[1.5,\"\\u00e9\",{\"deep\":[true,\"" +
                           std::string(300, 'x') + "\"]}]}";
  for (long successes = 0;; ++successes) {
    std::int32_t result = 0;
    long failures = 0;
    {
      ScopedAllocationFailure failure(successes);
      result = parser_->LoadFromBuffer(ansi.data(), static_cast<std::uint32_t>(ansi.size()));
      failures = failure.failures();
    }
    ASSERT_EQ(result, failures == 0 ? 1 : kJsonExceptionCaught) << successes;
    if (failures == 0) break;
  }
  EXPECT_EQ(StringAt(u"/name"), u"caf\u00E9");
  EXPECT_EQ(StringAt(u"/list/2"), u"\u00E9");
}

class ParserFileTest : public ParserTest {
 protected:
  platform::WString Write(platform::WStringView name, const std::string& bytes) {
    EXPECT_TRUE(folder_.Write(name, bytes));
    return folder_.File(name);
  }

  // LoadFromFileWithMessage's message ("<none>" when it leaves it alone).
  std::u16string MessageOf(const platform::WString& file) {
    const char16_t* message = nullptr;
    EXPECT_EQ(parser_->LoadFromFileWithMessage(file.c_str(), &message), 0);
    return message != nullptr ? message : u"<none>";
  }

  lumarine_testing::TempDir folder_;
};

TEST_F(ParserFileTest, FilesLoadInEveryEncodingAndAsAnsiText) {
  EXPECT_EQ(parser_->LoadFromFile(Write(u"utf8.json", platform::Utf16ToUtf8(kDocument)).c_str()), 1);
  EXPECT_EQ(StringAt(u"/name"), kName);
  EXPECT_EQ(parser_->LoadFromFile(Write(u"utf16.json", "\xFF\xFE" + Utf16Bytes(kDocument, false)).c_str()), 1);
  EXPECT_EQ(StringAt(u"/name"), kName);
  EXPECT_EQ(parser_->LoadFromFile(Write(u"ansi.json", "{\"name\":\"caf\xE9\"}").c_str()), 1);
  EXPECT_EQ(StringAt(u"/name"), u"caf\u00E9");
  EXPECT_EQ(parser_->LoadFromFile(Write(u"empty.json", "").c_str()), 0);
  EXPECT_EQ(ErrorText(), u"The document is empty.");
  EXPECT_EQ(parser_->LoadFromFile(folder_.path().c_str()), 0);
  EXPECT_EQ(ErrorText(), u"The file name does not exist.");
}

TEST_F(ParserFileTest, MessagesCountRowsAndOffsetsOnTheDecodedText) {
  const std::u16string text = u"{\r\n\"\u00E9\u00E9\":1,\n\"x\":]}";
  const std::u16string expected =
      u"Json format error!\r\nError Row: 3.\r\nError Offset: 15.\r\nError Text: Invalid value.";
  EXPECT_EQ(MessageOf(Write(u"utf8.json", platform::Utf16ToUtf8(text))), expected);
  EXPECT_EQ(MessageOf(Write(u"utf16le.json", "\xFF\xFE" + Utf16Bytes(text, false))), expected);
  EXPECT_EQ(MessageOf(Write(u"utf16be.json", Utf16Bytes(text, true))), expected);
  EXPECT_EQ(MessageOf(Write(u"utf32.json", Utf32Bytes(text, false))), expected);
  EXPECT_EQ(MessageOf(Write(u"ansi.json", "{\r\n\"\xE9\xE9\":1,\n\"x\":]}")), expected);
  EXPECT_EQ(MessageOf(Write(u"scalar.json", "\n\n 5")),
            u"Json format error!\r\nError Row: 1.\r\nError Offset: 0.\r\nError Text: Invalid value.");
}

TEST_F(ParserFileTest, MessagesComeFromReadOnlyFilesAndOnlyOnFailure) {
  const platform::WString file = Write(u"locked.json", "[1,\n2,,]");
  ASSERT_EQ(::chmod(folder_.native_path().append("/locked.json").c_str(), 0444), 0);
  EXPECT_EQ(MessageOf(file), u"Json format error!\r\nError Row: 2.\r\nError Offset: 6.\r\nError Text: Invalid value.");

  const char16_t* message = u"untouched";
  EXPECT_EQ(parser_->LoadFromFileWithMessage(Write(u"good.json", "[1]").c_str(), &message), 1);
  EXPECT_EQ(std::u16string(message), u"untouched");
  EXPECT_EQ(parser_->LoadFromFileWithMessage(folder_.File(u"missing.json").c_str(), &message), 0);
  EXPECT_EQ(ErrorText(), u"The file name does not exist.");
  EXPECT_EQ(std::u16string(message), u"untouched");
  EXPECT_EQ(parser_->LoadFromFileWithMessage(file.c_str(), nullptr), 0);
  EXPECT_EQ(parser_->HasError(), 1);
}

}  // namespace
}  // namespace TQJSON
