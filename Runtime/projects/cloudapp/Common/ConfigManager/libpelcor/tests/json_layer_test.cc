// The JSON layer that every document of the library shares, tested
// directly: file and text loading with their encodings, saving, error
// texts, typed member reads, the member writers, text conversions and
// fixed-width fields.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <sys/stat.h>

#include "json_error_text.h"
#include "json_file.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"
#include "record_field.h"
#include "testing/temp_dir.h"
#include "text_conversion.h"

namespace pelcor_test {
namespace {

using platform::WString;

class JsonFileTest : public ::testing::Test {
 protected:
  std::uint32_t LoadFile(const std::string& bytes) {
    dir_.Write(u"doc.json", bytes);
    return LoadJsonFile(document_, dir_.File(u"doc.json").c_str());
  }

  WString TextOf(const JsonValue& value) {
    WString text;
    EXPECT_EQ(JsonValueToText(value, text), CONFIG_OK);
    return text;
  }

  lumarine_testing::TempDir dir_;
  JsonDocument document_;
};

TEST_F(JsonFileTest, LoadJsonFileReadsUtf8InTextMode) {
  EXPECT_EQ(LoadFile("{\"a\":\r\n\"\xC3\xA9\"}\x1A trailing junk"), CONFIG_OK);
  EXPECT_EQ(TextOf(document_.Root()), u"{\"a\":\"\u00E9\"}");
  EXPECT_EQ(LoadFile("[1,2]"), CONFIG_OK);
  EXPECT_TRUE(document_.Root().IsArray());
}

TEST_F(JsonFileTest, LoadJsonFileCodes) {
  EXPECT_EQ(LoadFile(""), CONFIG_EMPTY_FILE);
  EXPECT_EQ(LoadFile("\x1A{}"), CONFIG_EMPTY_FILE);
  EXPECT_EQ(LoadFile("   "), CONFIG_INVALID_JSON);
  EXPECT_EQ(document_.ParseErrorCode(), 1);
  EXPECT_EQ(LoadFile("{\"a\":}"), CONFIG_INVALID_JSON);
  EXPECT_EQ(document_.ParseErrorCode(), 3);
  EXPECT_EQ(document_.ParseErrorOffset(), 5u);
  // No byte-order mark is recognised in a file, UTF-8 or UTF-16.
  EXPECT_EQ(LoadFile("\xEF\xBB\xBF{}"), CONFIG_INVALID_JSON);
  EXPECT_EQ(document_.ParseErrorCode(), 3);
  EXPECT_EQ(LoadFile(std::string("\xFF\xFE{\0}\0", 6)), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadJsonFile(document_, dir_.File(u"missing.json").c_str()), CONFIG_OPEN_FAILED);
  EXPECT_EQ(LoadJsonFile(document_, dir_.path().c_str()), CONFIG_OPEN_FAILED);
  EXPECT_EQ(LoadJsonFile(document_, nullptr), CONFIG_OPEN_FAILED);
  EXPECT_EQ(document_.ParseErrorCode(), kJsonErrorNullFileName);
}

TEST_F(JsonFileTest, ParseJsonTextDetectsEveryUnicodeEncoding) {
  const std::string utf16le("{\0\"\0a\0\"\0:\0001\0}\0", 14);
  EXPECT_EQ(ParseJsonText(document_, utf16le.data(), utf16le.size()), CONFIG_OK);
  EXPECT_EQ(TextOf(document_.Root()), u"{\"a\":1}");
  const std::string inputs[] = {
      "\xEF\xBB\xBF{\"a\":1}",
      std::string("\xFF\xFE{\0\"\0a\0\"\0:\0001\0}\0", 16),
      std::string("\xFE\xFF\0{\0\"\0a\0\"\0:\0001\0}", 16),
      std::string("\0{\0\"\0a\0\"\0:\0001\0}", 14),
      std::string("\xFF\xFE\0\0{\0\0\0\"\0\0\0a\0\0\0\"\0\0\0:\0\0\0" "1\0\0\0}\0\0\0", 32),
      std::string("\0\0\0{\0\0\0\"\0\0\0a\0\0\0\"\0\0\0:\0\0\0" "1\0\0\0}", 28),
  };
  for (const std::string& input : inputs) {
    JsonDocument document;
    EXPECT_EQ(ParseJsonText(document, input.data(), input.size()), CONFIG_OK) << input.size();
    EXPECT_EQ(TextOf(document.Root()), u"{\"a\":1}");
  }
  EXPECT_EQ(ParseJsonText(document_, "1", 1), CONFIG_OK);
  EXPECT_TRUE(document_.Root().IsInt());
}

TEST_F(JsonFileTest, ParseJsonTextStopsAtZeroAndRefusesWhatIsNotJson) {
  const std::string with_zero("{\"a\":1}\0garbage", 15);
  EXPECT_EQ(ParseJsonText(document_, with_zero.data(), with_zero.size()), CONFIG_OK);
  // The length bounds the text even without a terminator.
  EXPECT_EQ(ParseJsonText(document_, "{\"a\":1}xyz", 7), CONFIG_OK);
  for (const char* bad : {"{\"a\":1}x", "{\"a\":1,}", "[1]//", "NaN", "{'a':1}", "\"\\uDC00\"", "\"\\uD800\""}) {
    EXPECT_EQ(ParseJsonText(document_, bad, std::char_traits<char>::length(bad)), CONFIG_INVALID_JSON) << bad;
  }
  EXPECT_EQ(ParseJsonText(document_, nullptr, 0), CONFIG_INVALID_JSON);
  EXPECT_EQ(document_.ParseErrorCode(), 1);
  EXPECT_EQ(ParseJsonText(document_, nullptr, 4), CONFIG_INVALID_JSON);
  EXPECT_EQ(document_.ParseErrorCode(), kJsonErrorNullText);
}

TEST_F(JsonFileTest, LoneSurrogatesAndDeepNestingFailCleanly) {
  EXPECT_EQ(LoadFile("[\"x\\uDC00\"]"), CONFIG_INVALID_JSON);
  EXPECT_EQ(document_.ParseErrorCode(), 9);
  const std::string utf32_surrogate("\xFF\xFE\0\0\"\0\0\0\0\xDC\0\0\"\0\0\0", 16);
  EXPECT_EQ(ParseJsonText(document_, utf32_surrogate.data(), utf32_surrogate.size()), CONFIG_INVALID_JSON);
  EXPECT_EQ(document_.ParseErrorCode(), 9);

  EXPECT_EQ(LoadFile(std::string(100000, '[')), CONFIG_INVALID_JSON);
  const std::string deepest = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
  EXPECT_EQ(LoadFile(deepest), CONFIG_OK);
  EXPECT_EQ(TextOf(document_.Root()), WString(kMaxJsonDepth, u'[') + WString(kMaxJsonDepth, u']'));
  EXPECT_EQ(LoadFile("[" + deepest + "]"), CONFIG_INVALID_JSON);
  EXPECT_EQ(document_.ParseErrorCode(), 16);
}

TEST_F(JsonFileTest, FailedParseKeepsThePreviousRoot) {
  ASSERT_EQ(LoadFile("{\"kept\":true}"), CONFIG_OK);
  EXPECT_EQ(LoadFile("{\"kept\":"), CONFIG_INVALID_JSON);
  EXPECT_EQ(TextOf(document_.Root()), u"{\"kept\":true}");
}

TEST_F(JsonFileTest, SaveJsonFileWritesCompactUtf8WithoutAMark) {
  JsonObjectBuilder root(document_, document_.Root().SetObject());
  root.AddInt(u"a", 1);
  ASSERT_EQ(SaveJsonFile(document_, dir_.File(u"out.json").c_str()), CONFIG_OK);
  EXPECT_EQ(dir_.Read(u"out.json"), "{\"a\":1}");

  root.AddString(u"t", u"\u00E9\U0001F600\"\\\n\x01");
  ASSERT_EQ(SaveJsonFile(document_, dir_.File(u"out.json").c_str()), CONFIG_OK);
  EXPECT_EQ(dir_.Read(u"out.json"), "{\"a\":1,\"t\":\"\xC3\xA9\xF0\x9F\x98\x80\\\"\\\\\\n\\u0001\"}");

  root.AddString(u"lone", std::u16string(u"x\xDC00", 2));
  ASSERT_EQ(SaveJsonFile(document_, dir_.File(u"out.json").c_str()), CONFIG_OK);
  EXPECT_NE(dir_.Read(u"out.json").value_or("").find("\"lone\":\"x\xEF\xBF\xBD\"}"), std::string::npos);
}

TEST_F(JsonFileTest, SaveJsonFileFailuresLeaveThePreviousFile) {
  dir_.Write(u"old.json", "previous");
  const WString old_file = dir_.File(u"old.json");
  const std::string native_old = dir_.native_path() + "/old.json";
  document_.Root().SetObject();

  ASSERT_EQ(::chmod(native_old.c_str(), 0444), 0);
  EXPECT_EQ(SaveJsonFile(document_, old_file.c_str()), CONFIG_DELETE_FAILED);
  EXPECT_EQ(dir_.Read(u"old.json"), "previous");
  ASSERT_EQ(::chmod(native_old.c_str(), 0644), 0);

  EXPECT_EQ(SaveJsonFile(document_, dir_.path().c_str()), CONFIG_DELETE_FAILED);
  EXPECT_EQ(SaveJsonFile(document_, dir_.File(u"no/such/folder.json").c_str()), CONFIG_CREATE_FAILED);
  EXPECT_EQ(SaveJsonFile(document_, nullptr), CONFIG_CREATE_FAILED);

  JsonValue name(u"n", document_.Allocator());
  JsonValue not_a_number(std::nan(""));
  document_.Root().AddMember(name, not_a_number, document_.Allocator());
  EXPECT_EQ(SaveJsonFile(document_, old_file.c_str()), CONFIG_INVALID_JSON);
  EXPECT_EQ(dir_.Read(u"old.json"), "previous");
  WString text = u"stale";
  EXPECT_EQ(JsonValueToText(document_.Root(), text), CONFIG_INVALID_JSON);
  EXPECT_EQ(text, u"");
}

TEST(JsonErrorTextTest, QuotedTextsForEveryCode) {
  EXPECT_EQ(WString(JsonErrorText(0)), u"\"No error.\"");
  EXPECT_EQ(WString(JsonErrorText(8)), u"\"Incorrect hex digit after \\\\u escape in string.\"");
  EXPECT_EQ(WString(JsonErrorText(17)), u"\"Unspecific syntax error.\"");
  EXPECT_EQ(WString(JsonErrorText(kJsonErrorNullText)), u"\"The pointer to the json text is null.\"");
  EXPECT_EQ(WString(JsonErrorText(kJsonErrorNoFile)), u"\"The file name does not exist.\"");
  EXPECT_EQ(WString(JsonErrorText(kJsonErrorRootNotObject)), u"\"The root node of json data is not object.\"");
  for (int unknown : {21, 23, -1, 1000}) EXPECT_EQ(WString(JsonErrorText(unknown)), u"\"Unknown error.\"");
}

TEST(JsonErrorTextTest, ParseFailureMessageIsNeverCut) {
  JsonDocument document;
  ASSERT_EQ(ParseJsonText(document, "[1,", 3), CONFIG_INVALID_JSON);
  EXPECT_EQ(ParseFailureMessage(u"/tmp/a.json", document),
            u"Failed to parse the file \"/tmp/a.json\". Error: \"Invalid value.\", offset: 3.");
  const WString long_path(3000, u'p');
  const WString message = ParseFailureMessage(long_path, document);
  EXPECT_EQ(message.size(), long_path.size() + 64);
  EXPECT_EQ(message.substr(message.size() - 12), u", offset: 3.");
}

class JsonMembersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char json[] =
        R"({"int":-5,"big":70000,"wide":3000000000,"huge":4294967297,"frac":2.5,"exp":1e3,)"
        R"("t":true,"f":false,"one":1,"s":"text","n":null,"o":{"s":"inner"},"dup":1,"dup":2})";
    ASSERT_EQ(ParseJsonText(document_, json, sizeof json - 1), CONFIG_OK);
  }
  const JsonValue& root() { return document_.Root(); }
  JsonDocument document_;
};

TEST_F(JsonMembersTest, IntegersAreTakenAsTheir32BitValue) {
  EXPECT_EQ(GetIntMember(root(), u"int", 9), -5);
  EXPECT_EQ(static_cast<std::uint16_t>(GetIntMember(root(), u"big", 9)), 4464);
  EXPECT_EQ(GetIntMember(root(), u"wide", 9), static_cast<std::int32_t>(3000000000u));
  EXPECT_EQ(GetUintMember(root(), u"wide", 9), 3000000000u);
  EXPECT_EQ(GetUintMember(root(), u"int", 9), static_cast<std::uint32_t>(-5));
  EXPECT_EQ(GetIntMember(root(), u"huge", 9), 1);
  EXPECT_EQ(GetIntMember(root(), u"dup", 9), 1);
  for (const char16_t* other : {u"frac", u"exp", u"t", u"s", u"n", u"o", u"absent", u"INT"}) {
    EXPECT_EQ(GetIntMember(root(), other, 9), 9) << platform::WString(other).size();
  }
  EXPECT_EQ(GetIntMember(JsonValue(rapidjson::kArrayType), u"int", 9), 9);
}

TEST_F(JsonMembersTest, FlagsAndTextsAreTypeChecked) {
  EXPECT_TRUE(GetBoolMember(root(), u"t", false));
  EXPECT_FALSE(GetBoolMember(root(), u"f", true));
  EXPECT_FALSE(GetBoolMember(root(), u"one", true));
  EXPECT_FALSE(GetBoolMember(root(), u"s", true));
  EXPECT_TRUE(GetBoolMember(root(), u"absent", true));

  EXPECT_EQ(GetStringMember(root(), u"s"), u"text");
  EXPECT_EQ(GetStringMember(root(), u"int"), u"");
  EXPECT_EQ(GetStringMember(root(), u"absent"), u"");
  EXPECT_EQ(GetStringMemberOr(root(), u"s", u"default"), u"text");
  EXPECT_EQ(GetStringMemberOr(root(), u"one", u"default"), u"default");
  EXPECT_EQ(GetStringMemberOr(root(), u"absent", u"default"), u"default");
  const JsonValue& inner = *FindMember(root(), u"o");
  EXPECT_EQ(GetStringMemberOr(*FindMember(inner, u"s"), nullptr, u"default"), u"inner");
  EXPECT_EQ(GetStringMemberOr(inner, nullptr, u"default"), u"default");

  const JsonValue* array = nullptr;
  EXPECT_EQ(FindRequiredArray(root(), u"absent", array), CONFIG_MISSING_MEMBER);
  EXPECT_EQ(FindRequiredArray(root(), u"o", array), CONFIG_INVALID_JSON);
}

TEST(JsonObjectBuilderTest, AppendsInOrderWithoutMergingNames) {
  JsonDocument document;
  JsonObjectBuilder root(document, document.Root().SetObject());
  root.AddInt(u"a", 1);
  root.AddInt(u"a", -2);
  root.AddUint(u"u", 4000000000u);
  root.AddUShort(u"port", 65535);
  root.AddUpdateStrategy(3);
  root.AddBool(u"b", false);
  root.AddString(std::u16string_view(u"k\0z", 3), std::u16string_view(u"v\0w", 3));
  JsonObjectBuilder list(document, JsonObjectBuilder::Kind::kArray);
  list.PushString(u"x");
  JsonObjectBuilder item(document, JsonObjectBuilder::Kind::kObject);
  item.AddString(u"n", u"");
  list.PushValue(item);
  root.AddValue(u"list", list);
  EXPECT_TRUE(list.Target().IsNull());

  WString text;
  ASSERT_EQ(JsonValueToText(document.Root(), text), CONFIG_OK);
  EXPECT_EQ(text,
            u"{\"a\":1,\"a\":-2,\"u\":4000000000,\"port\":65535,\"UpdateStrategy\":3,\"b\":false,"
            u"\"k\\u0000z\":\"v\\u0000w\",\"list\":[\"x\",{\"n\":\"\"}]}");
}

TEST(TextConversionTest, ConversionsNeverFail) {
  EXPECT_EQ(WideToUtf8(u"a\u00E9\U0001F600"), "a\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(WideToUtf8(std::u16string_view(u"\xDC00x", 2)), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf8ToWide("\xC3\xA9\xFF"), u"\u00E9\uFFFD");
  EXPECT_EQ(WideToAnsi(std::u16string_view(u"\u20AC\u00E9\u4E2D\0tail", 8)), "\x80\xE9?");
  EXPECT_EQ(WideToUtf8(u""), "");
  EXPECT_EQ(TextView(nullptr), u"");
}

TEST(RecordFieldTest, LongTextsAreCutWithoutSplittingASurrogatePair) {
  char16_t field[6];
  CopyToField(field, u"abcdefgh");
  EXPECT_EQ(WString(field), u"abcde");
  CopyToField(field, u"abcd\U0001F600");
  EXPECT_EQ(WString(field), u"abcd");
  CopyToField(field, u"abc\U0001F600");
  EXPECT_EQ(WString(field), u"abc\U0001F600");
  CopyToField(field, u"");
  EXPECT_EQ(WString(field), u"");
}

}  // namespace
}  // namespace pelcor_test
