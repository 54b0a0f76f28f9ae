// Questions to a loaded reader, in their item, path and handle forms.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "parser_fixture.h"

namespace TQJSON {
namespace {

class QueryTest : public ParserTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Load(R"({
      "a": [10, 20],
      "Name": "first", "name": "second",
      "numbers": {"small": -7, "big": 3000000000, "wide": -3000000000, "huge": 18446744073709551615,
                  "half": 1.5, "whole": 7, "nan": NaN, "down": -Infinity},
      "flags": [true, false, null],
      "blob": "AQID", "bad blob": "A*ID",
      "a/b": {"deep": [[1], {"x": "y"}]},
      "special": {"list": [NaN, Infinity, -Infinity, 0.25]}
    })")) << platform::Utf16ToUtf8(ErrorText());
  }

  JsonItem Root() {
    JsonItem root = 0;
    std::int32_t type = 0;
    EXPECT_EQ(parser_->GetRoot(&root, &type), 1);
    return root;
  }

  JsonHandle HandleOf(const char16_t* path) {
    JsonHandle handle = 0;
    EXPECT_EQ(parser_->GetHandleByPath(path, &handle), 1);
    return handle;
  }

  JsonItem item_ = 0;
  JsonHandle handle_ = 0;
  std::int32_t type_ = -1;
};

TEST_F(QueryTest, NodesByItemCarryFineCodesAndByPathOrHandleCoarseOnes) {
  JsonItem root = 0;
  ASSERT_EQ(parser_->GetRoot(&root, &type_), 1);
  EXPECT_EQ(type_, kJsonTypeObject);
  JsonItem list = 0;
  ASSERT_EQ(parser_->GetMember(root, u"A", &list, &type_), 1);
  EXPECT_EQ(type_, kJsonTypeArray);
  ASSERT_EQ(parser_->GetChild(list, 1, &item_, &type_), 1);
  EXPECT_EQ(type_, kJsonTypeInt32);
  std::int32_t value = 0;
  EXPECT_EQ(parser_->GetInt(item_, &value), 1);
  EXPECT_EQ(value, 20);
  EXPECT_EQ(parser_->GetIntByPath(u"/a/2", &value), 1);
  EXPECT_EQ(value, 20);
  EXPECT_EQ(parser_->GetIntByPath(u"/a/3", &value), JSONFUN_PATH_ERROR);

  EXPECT_EQ(parser_->GetChildByPath(u"/a", 1, &handle_, &type_), 1);
  EXPECT_EQ(type_, kJsonTypeNumber);
  const std::pair<const char16_t*, std::int32_t> fine[] = {{u"small", kJsonTypeInt32},  {u"big", kJsonTypeUInt32},
                                                           {u"wide", kJsonTypeInt64},   {u"huge", kJsonTypeUInt64},
                                                           {u"half", kJsonTypeFloating}, {u"nan", kJsonTypeFloating}};
  JsonItem numbers = 0;
  ASSERT_EQ(parser_->GetMember(root, u"numbers", &numbers, &type_), 1);
  for (const auto& [key, code] : fine) {
    EXPECT_EQ(parser_->GetMember(numbers, key, &item_, &type_), 1);
    EXPECT_EQ(type_, code);
    EXPECT_EQ(parser_->GetItemType(item_, &type_), 1);
    EXPECT_EQ(type_, code);
    EXPECT_EQ(parser_->GetMemberByPath(u"/numbers", key, &handle_, &type_), 1);
    EXPECT_EQ(type_, kJsonTypeNumber);
  }
  EXPECT_EQ(parser_->GetItemTypeByPath(u"/flags/3", &type_), 1);
  EXPECT_EQ(type_, kJsonTypeNull);
  EXPECT_EQ(parser_->GetItemTypeByHandle(HandleOf(u"/flags/1"), &type_), 1);
  EXPECT_EQ(type_, kJsonTypeBoolean);
}

TEST_F(QueryTest, ChildrenAreCountedAndIndexedFromZero) {
  const JsonItem root = Root();
  std::int32_t count = 0;
  EXPECT_EQ(parser_->GetChildCount(root, &count), 1);
  EXPECT_EQ(count, 9);
  EXPECT_EQ(parser_->GetChildCountByPath(u"/flags", &count), 1);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(parser_->GetChildCountByHandle(HandleOf(u"/numbers"), &count), 1);
  EXPECT_EQ(count, 8);
  EXPECT_EQ(parser_->GetChildCountByPath(u"/blob", &count), JSONFUN_TYPE_ERROR);

  // An object's child is the value of its member at that place.
  EXPECT_EQ(parser_->GetChild(root, 2, &item_, &type_), 1);
  const char16_t* text = nullptr;
  EXPECT_EQ(parser_->GetString(item_, &text), 1);
  EXPECT_EQ(std::u16string(text), u"second");
  EXPECT_EQ(parser_->GetChild(root, -1, &item_, &type_), 0);
  EXPECT_EQ(parser_->GetChild(root, 9, &item_, &type_), 0);
  EXPECT_EQ(parser_->GetChildByHandle(HandleOf(u"/blob"), 0, &handle_, &type_), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetChild(0, 0, &item_, &type_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetChild(root, 0, nullptr, &type_), JSONFUN_FAILED);

  const char16_t* name = nullptr;
  EXPECT_EQ(parser_->GetMemberName(root, 1, &name), 1);
  EXPECT_EQ(std::u16string(name), u"Name");
  EXPECT_EQ(parser_->GetMemberNameByPath(u"/a~/b", 0, &name), 1);
  EXPECT_EQ(std::u16string(name), u"deep");
  EXPECT_EQ(parser_->GetMemberNameByHandle(HandleOf(u"/numbers"), 7, &name), 1);
  EXPECT_EQ(std::u16string(name), u"down");
  EXPECT_EQ(parser_->GetMemberName(root, 9, &name), 0);
  EXPECT_EQ(parser_->GetMemberName(root, -1, &name), 0);
  EXPECT_EQ(parser_->GetMemberNameByPath(u"/a", 0, &name), JSONFUN_TYPE_ERROR);
}

TEST_F(QueryTest, KeysIgnoreAsciiCaseAndTheFirstMemberWinsWhilePathsMatchExactly) {
  const JsonItem root = Root();
  const char16_t* text = nullptr;
  for (const char16_t* key : {u"name", u"NAME", u"nAmE"}) {
    EXPECT_EQ(parser_->GetStringMember(root, key, &text), 1);
    EXPECT_EQ(std::u16string(text), u"first");
  }
  EXPECT_EQ(StringAt(u"/name"), u"second");
  EXPECT_EQ(StringAt(u"/Name"), u"first");
  EXPECT_EQ(StringAt(u"/NAME"), u"<failed>");
  EXPECT_EQ(parser_->HasMemberByPath(u"/", u"NAME"), 0);
  EXPECT_EQ(parser_->HasMemberByPath(u"/", u"Name"), 1);
  EXPECT_EQ(parser_->HasMemberByHandle(HandleOf(u"/"), u"NAME"), 1);
  EXPECT_EQ(parser_->HasMemberByHandle(HandleOf(u"/"), u"missing"), 0);
  EXPECT_EQ(parser_->HasMemberByHandle(999, u"name"), 0);
  EXPECT_EQ(parser_->PathExists(u"/a~/b/deep/2/x"), 1);
  EXPECT_EQ(parser_->PathExists(u"/a/0"), 0);
  EXPECT_EQ(parser_->PathExists(u"a"), 0);
  EXPECT_EQ(parser_->GetMember(root, u"missing", &item_, &type_), 0);
  EXPECT_EQ(parser_->GetMember(root, nullptr, &item_, &type_), JSONFUN_KEY_ERROR);
  EXPECT_EQ(parser_->GetMemberByPath(u"/a", u"x", &handle_, &type_), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetMemberByHandle(77, u"a", &handle_, &type_), JSONFUN_ADDRESS_ERROR);
}

TEST_F(QueryTest, HandlesAreNumberedFromOneAndKeptPerNodeUntilTheNextLoad) {
  JsonHandle root = 0;
  ASSERT_EQ(parser_->GetRootHandle(&root, &type_), 1);
  EXPECT_EQ(root, 1);
  EXPECT_EQ(type_, kJsonTypeObject);
  EXPECT_EQ(HandleOf(u"/"), 1);
  // Asking a member's type hands the member a handle.
  EXPECT_EQ(parser_->GetMemberTypeByHandle(root, u"FLAGS", &type_), 1);
  EXPECT_EQ(type_, kJsonTypeArray);
  EXPECT_EQ(HandleOf(u"/flags"), 2);
  EXPECT_EQ(HandleOf(u"/a/1"), 3);
  EXPECT_EQ(HandleOf(u"/a/1"), 3);
  EXPECT_EQ(parser_->GetHandleByPath(u"/a/9", &handle_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetHandleByPath(u"", &handle_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetHandleByPath(u"/", nullptr), JSONFUN_FAILED);

  const JsonItem item = Root();
  ASSERT_TRUE(Load("[[1]]"));
  EXPECT_EQ(parser_->GetItemTypeByHandle(3, &type_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetItemType(item, &type_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(HandleOf(u"/1"), 1);
}

TEST_F(QueryTest, ObjectsAndArraysAreSelectedByKind) {
  const JsonItem root = Root();
  EXPECT_EQ(parser_->GetObjectByPath(u"/a", &handle_, &type_), 0);
  EXPECT_EQ(type_, kJsonTypeArray);
  EXPECT_EQ(parser_->GetArrayByPath(u"/a", &handle_, &type_), 1);
  EXPECT_EQ(type_, kJsonTypeArray);
  EXPECT_EQ(handle_, HandleOf(u"/a"));
  EXPECT_EQ(parser_->GetObjectByPath(u"/nowhere", &handle_, &type_), JSONFUN_PATH_ERROR);

  // Refused by item: the member's item and coarse code are still written.
  item_ = 0;
  EXPECT_EQ(parser_->GetObjectMember(root, u"blob", &item_, &type_), 0);
  EXPECT_EQ(type_, kJsonTypeString);
  EXPECT_NE(item_, 0);
  EXPECT_EQ(parser_->GetArrayMember(root, u"flags", &item_, &type_), 1);
  EXPECT_EQ(type_, kJsonTypeArray);
  EXPECT_EQ(parser_->GetObjectMember(root, u"missing", &item_, &type_), 0);

  const JsonHandle numbers = HandleOf(u"/numbers");
  handle_ = -1;
  EXPECT_EQ(parser_->GetArrayMemberByHandle(HandleOf(u"/"), u"numbers", &handle_, &type_), 0);
  EXPECT_EQ(type_, kJsonTypeObject);
  EXPECT_EQ(handle_, -1);
  EXPECT_EQ(parser_->GetObjectMemberByHandle(HandleOf(u"/"), u"numbers", &handle_, &type_), 1);
  EXPECT_EQ(handle_, numbers);
  EXPECT_EQ(parser_->GetObjectMemberByHandle(numbers, u"half", &handle_, &type_), 0);
  EXPECT_EQ(type_, kJsonTypeNumber);
}

// The kind rules are the value functions' own; these are the addressing
// forms around them.
TEST_F(QueryTest, TypedValuesAreReadInEveryAddressingForm) {
  const JsonHandle numbers = HandleOf(u"/numbers");
  std::int32_t int_value = 0;
  std::uint64_t uint64_value = 0;
  double double_value = 0;
  EXPECT_EQ(parser_->GetIntMemberByHandle(numbers, u"SMALL", &int_value), 1);
  EXPECT_EQ(int_value, -7);
  EXPECT_EQ(parser_->GetUInt64ByPath(u"/numbers/huge", &uint64_value), 1);
  EXPECT_EQ(uint64_value, std::numeric_limits<std::uint64_t>::max());
  EXPECT_EQ(parser_->GetIntByPath(u"/numbers/big", &int_value), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetDoubleByHandle(HandleOf(u"/numbers/down"), &double_value), 1);
  EXPECT_EQ(double_value, -std::numeric_limits<double>::infinity());
  EXPECT_EQ(parser_->GetDoubleMemberByHandle(numbers, u"none", &double_value), JSONFUN_KEY_ERROR);
  EXPECT_EQ(parser_->GetDoubleByHandle(55, &double_value), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetDoubleByPath(u"/numbers/none", &double_value), JSONFUN_PATH_ERROR);
  std::int32_t flag = -1;
  EXPECT_EQ(parser_->GetBooleanMember(Root(), u"blob", &flag), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetBooleanByPath(u"/flags/1", &flag), 1);
  EXPECT_EQ(flag, 1);

  // Strings are handed out in place: the same characters every time.
  const char16_t* first = nullptr;
  const char16_t* again = nullptr;
  EXPECT_EQ(parser_->GetStringMemberByHandle(HandleOf(u"/"), u"blob", &first), 1);
  EXPECT_EQ(parser_->GetStringByHandle(HandleOf(u"/blob"), &again), 1);
  EXPECT_EQ(first, again);

  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
  ASSERT_EQ(parser_->GetBlobMember(Root(), u"BLOB", &data, &size), 1);
  ASSERT_EQ(size, 3u);
  EXPECT_EQ(std::memcmp(data, "\x01\x02\x03", 3), 0);
  EXPECT_EQ(parser_->GetBlobByPath(u"/bad blob", &data, &size), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetBlobByHandle(HandleOf(u"/a"), &data, &size), JSONFUN_TYPE_ERROR);
}

TEST_F(QueryTest, NumberKindsTellTheSpecialValues) {
  std::uint32_t kind = 99;
  EXPECT_EQ(parser_->GetNumberKindByPath(u"/numbers/nan", &kind), 1);
  EXPECT_EQ(kind, kJsonNumberNaN);
  EXPECT_EQ(parser_->GetNumberKindByPath(u"/numbers/whole", &kind), 1);
  EXPECT_EQ(kind, kJsonNumberOrdinary);
  EXPECT_EQ(parser_->GetNumberKindByPath(u"/numbers/half", &kind), 1);
  EXPECT_EQ(kind, kJsonNumberOrdinary);
  EXPECT_EQ(parser_->GetNumberKindByHandle(HandleOf(u"/special/list/2"), &kind), 1);
  EXPECT_EQ(kind, kJsonNumberPositiveInfinity);
  EXPECT_EQ(parser_->GetNumberKindMemberByHandle(HandleOf(u"/numbers"), u"DOWN", &kind), 1);
  EXPECT_EQ(kind, kJsonNumberNegativeInfinity);
  EXPECT_EQ(parser_->GetNumberKindByPath(u"/blob", &kind), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetNumberKindMemberByHandle(HandleOf(u"/numbers"), u"none", &kind), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetNumberKindMemberByHandle(HandleOf(u"/a"), u"x", &kind), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetNumberKindMemberByHandle(HandleOf(u"/"), u"blob", &kind), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetNumberKindByHandle(42, &kind), JSONFUN_ADDRESS_ERROR);
}

TEST_F(QueryTest, VariantsHoldAStringReferenceOrASigned64BitInteger) {
  const JsonItem root = Root();
  JsonVariant variant;
  ASSERT_EQ(parser_->GetVariant(root, u"blob", &variant), 1);
  EXPECT_EQ(variant.type, kJsonVariantTextRef);
  EXPECT_EQ(std::u16string(variant.value.text), u"AQID");
  JsonItem numbers = 0;
  ASSERT_EQ(parser_->GetMember(root, u"numbers", &numbers, &type_), 1);
  ASSERT_EQ(parser_->GetVariant(numbers, u"wide", &variant), 1);
  EXPECT_EQ(variant.type, kJsonVariantInt64);
  EXPECT_EQ(variant.value.int64_value, -3000000000);
  EXPECT_EQ(parser_->GetVariant(numbers, u"huge", &variant), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetVariant(numbers, u"half", &variant), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(parser_->GetVariant(numbers, u"none", &variant), JSONFUN_KEY_ERROR);
  EXPECT_EQ(parser_->GetVariantByHandle(HandleOf(u"/flags/1"), nullptr, &variant), JSONFUN_TYPE_ERROR);
  ASSERT_EQ(parser_->GetVariantByHandle(HandleOf(u"/a/2"), nullptr, &variant), 1);
  EXPECT_EQ(variant.type, kJsonVariantInt64);
  EXPECT_EQ(variant.value.int64_value, 20);
  EXPECT_EQ(parser_->GetVariantByHandle(99, nullptr, &variant), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetVariant(root, u"blob", nullptr), JSONFUN_FAILED);
}

TEST_F(QueryTest, SubTreesAreWrittenWholeAsCompactText) {
  const char16_t* text = nullptr;
  ASSERT_EQ(parser_->GetObjectJsonTextByPath(u"/a~/b", &text), 1);
  EXPECT_EQ(std::u16string(text), u"{\"deep\":[[1],{\"x\":\"y\"}]}");
  ASSERT_EQ(parser_->GetArrayJsonTextByPath(u"/special/list", &text), 1);
  EXPECT_EQ(std::u16string(text), u"[NaN,Infinity,-Infinity,0.25]");
  ASSERT_EQ(parser_->GetObjectJsonTextByHandle(HandleOf(u"/special"), &text), 1);
  EXPECT_EQ(std::u16string(text), u"{\"list\":[NaN,Infinity,-Infinity,0.25]}");
  ASSERT_EQ(parser_->GetArrayJsonTextMemberByHandle(HandleOf(u"/special"), u"LIST", &text), 1);
  EXPECT_EQ(std::u16string(text), u"[NaN,Infinity,-Infinity,0.25]");
  ASSERT_EQ(parser_->GetObjectJsonTextMemberByHandle(HandleOf(u"/"), u"numbers", &text), 1);
  EXPECT_EQ(std::u16string(text),
            u"{\"small\":-7,\"big\":3000000000,\"wide\":-3000000000,\"huge\":18446744073709551615,\"half\":1.5,"
            u"\"whole\":7,\"nan\":NaN,\"down\":-Infinity}");
  ASSERT_EQ(parser_->GetArrayJsonTextByHandle(HandleOf(u"/flags"), &text), 1);
  EXPECT_EQ(std::u16string(text), u"[true,false,null]");

  EXPECT_EQ(parser_->GetObjectJsonTextByPath(u"/a", &text), 0);
  EXPECT_EQ(parser_->GetArrayJsonTextByPath(u"/nowhere", &text), JSONFUN_PATH_ERROR);
  EXPECT_EQ(parser_->GetArrayJsonTextByHandle(0, &text), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetObjectJsonTextMemberByHandle(HandleOf(u"/"), u"a", &text), 0);
  EXPECT_EQ(parser_->GetObjectJsonTextMemberByHandle(HandleOf(u"/"), u"none", &text), 0);
  EXPECT_EQ(parser_->GetArrayJsonTextMemberByHandle(HandleOf(u"/a"), u"x", &text), 0);
  EXPECT_EQ(parser_->GetArrayJsonTextMemberByHandle(1234, u"x", &text), JSONFUN_ADDRESS_ERROR);
}

TEST_F(QueryTest, AMembersTextIsWrittenWhateverItsKind) {
  const JsonItem root = Root();
  const char16_t* text = u"stale";
  ASSERT_EQ(parser_->GetMemberJsonText(root, u"blob", &text), 1);
  EXPECT_EQ(std::u16string(text), u"\"AQID\"");
  JsonItem numbers = 0;
  ASSERT_EQ(parser_->GetMember(root, u"numbers", &numbers, &type_), 1);
  ASSERT_EQ(parser_->GetMemberJsonText(numbers, u"nan", &text), 1);
  EXPECT_EQ(std::u16string(text), u"NaN");
  EXPECT_EQ(parser_->GetMemberJsonText(root, u"none", &text), 0);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(parser_->GetMemberJsonText(0, u"a", &text), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(parser_->GetMemberJsonText(root, u"a", nullptr), JSONFUN_FAILED);
}

}  // namespace
}  // namespace TQJSON
