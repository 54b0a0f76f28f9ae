// Type codes, member lookup and the functions on single values.
#include "value_functions.h"

#include <gtest/gtest.h>

#include "member_lookup.h"
#include "test_documents.h"
#include "value_type_code.h"

namespace TQJSON {
namespace {

TEST(ValueTypeCode, NumbersByTheNarrowestTypeThatHoldsThem) {
  JsonDocument document;
  ParseInto(document, R"([0,-1,3000000000,-3000000000,18446744073709551615,18446744073709551616,1.5,1.0,NaN,)"
                      R"("s",true,false,null,{},[]])");
  const std::int32_t fine[] = {6, 6, 7, 8, 9, 11, 11, 11, 11, 0, 2, 2, 3, 4, 5};
  const std::int32_t coarse[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 2, 2, 3, 4, 5};
  ASSERT_EQ(document.Size(), std::size(fine));
  for (rapidjson::SizeType i = 0; i < document.Size(); ++i) {
    EXPECT_EQ(GetValueTypeCode(document[i]), fine[i]) << "element " << i;
    EXPECT_EQ(GetCoarseTypeCode(document[i]), coarse[i]) << "element " << i;
  }
}

TEST(MemberLookup, IgnoresTheCaseOfAsciiLettersOnlyAndTakesTheFirstMatch) {
  JsonDocument document;
  ParseInto(document, u8R"({"Name":1,"name":2,"NAMES":3,"Ä":4})");
  for (const char16_t* key : {u"name", u"NAME", u"nAmE"}) {
    const JsonMember* member = FindMemberIgnoringCase(document, key);
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->value.GetInt(), 1);
  }
  EXPECT_EQ(FindMemberIgnoringCase(document, u"names")->value.GetInt(), 3);
  EXPECT_EQ(FindMemberIgnoringCase(document, u"nam"), nullptr);
  EXPECT_EQ(FindMemberIgnoringCase(document, u"ä"), nullptr);
  EXPECT_EQ(FindMemberIgnoringCase(document, nullptr), nullptr);
  EXPECT_EQ(FindMemberIgnoringCase(document[u"Name"], u"name"), nullptr);
}

class ValueFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    ParseInto(document_, R"({"five":5,"minus":-1,"big":3000000000,"one":1.0,"t":true,"n":null,"s":"text",)"
                         R"("list":[1,2],"x":1,"X":2})");
  }
  const JsonValue* At(const char16_t* key) { return &document_[key]; }

  JsonDocument document_;
};

TEST_F(ValueFunctions, StructureChecksComeInOrder) {
  std::int32_t count = -7;
  EXPECT_EQ(GetMemberCount(nullptr, &count), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(GetMemberCount(At(u"list"), &count), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetMemberCount(&document_, nullptr), JSONFUN_FAILED);
  ASSERT_EQ(GetMemberCount(&document_, &count), kJsonSuccess);
  EXPECT_EQ(count, 10);
  EXPECT_EQ(GetArraySize(&document_, &count), JSONFUN_TYPE_ERROR);
  ASSERT_EQ(GetArraySize(At(u"list"), &count), kJsonSuccess);
  EXPECT_EQ(count, 2);

  const char16_t* name = nullptr;
  ASSERT_EQ(GetMemberNameAt(&document_, 9, &name), kJsonSuccess);
  EXPECT_EQ(std::u16string(name), u"X");
  EXPECT_EQ(GetMemberNameAt(&document_, 10, &name), JSONFUN_FAILED);
  EXPECT_EQ(GetMemberNameAt(&document_, -1, &name), JSONFUN_FAILED);
  EXPECT_EQ(GetMemberNameAt(At(u"list"), 0, &name), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetMemberNameAt(nullptr, 0, nullptr), JSONFUN_ADDRESS_ERROR);

  const JsonValue* member = nullptr;
  std::int32_t type = -7;
  ASSERT_EQ(FindMemberWithType(&document_, u"BIG", &member, &type), kJsonSuccess);
  EXPECT_EQ(member, At(u"big"));
  EXPECT_EQ(type, kJsonTypeNumber);
  EXPECT_EQ(FindMemberWithType(&document_, u"absent", &member, &type), JSONFUN_FAILED);
  EXPECT_EQ(FindMemberWithType(&document_, nullptr, &member, &type), JSONFUN_KEY_ERROR);
  EXPECT_EQ(FindMemberWithType(At(u"list"), u"x", &member, &type), JSONFUN_TYPE_ERROR);
}

TEST_F(ValueFunctions, IntegerReadsTakeOnlyNumbersThatFit) {
  std::int32_t i = 0;
  std::uint32_t u = 0;
  std::int64_t i64 = 0;
  std::uint64_t u64 = 0;
  EXPECT_EQ(GetIntValue(At(u"five"), &i), kJsonSuccess);
  EXPECT_EQ(GetUIntValue(At(u"five"), &u), kJsonSuccess);
  EXPECT_EQ(GetInt64Value(At(u"five"), &i64), kJsonSuccess);
  EXPECT_EQ(GetUInt64Value(At(u"five"), &u64), kJsonSuccess);
  EXPECT_EQ(i + u + i64 + u64, 20u);
  EXPECT_EQ(GetUIntValue(At(u"minus"), &u), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetUInt64Value(At(u"minus"), &u64), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetInt64Value(At(u"minus"), &i64), kJsonSuccess);
  EXPECT_EQ(GetIntValue(At(u"big"), &i), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetUIntValue(At(u"big"), &u), kJsonSuccess);
  EXPECT_EQ(u, 3000000000u);
  EXPECT_EQ(GetIntValue(At(u"one"), &i), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetIntValue(At(u"t"), &i), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetIntValue(nullptr, &i), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(GetIntValue(At(u"five"), nullptr), JSONFUN_FAILED);
}

TEST_F(ValueFunctions, OtherReadsCheckTheirKind) {
  double d = 0;
  float f = 0;
  ASSERT_EQ(GetDoubleValue(At(u"five"), &d), kJsonSuccess);
  EXPECT_EQ(d, 5.0);
  ASSERT_EQ(GetFloatValue(At(u"big"), &f), kJsonSuccess);
  EXPECT_EQ(f, 3e9f);
  EXPECT_EQ(GetDoubleValue(At(u"s"), &d), JSONFUN_TYPE_ERROR);
  std::int32_t flag = -1;
  ASSERT_EQ(GetBoolValue(At(u"t"), &flag), kJsonSuccess);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(GetBoolValue(At(u"n"), &flag), JSONFUN_TYPE_ERROR);
  const char16_t* text = nullptr;
  ASSERT_EQ(GetStringValue(At(u"s"), &text), kJsonSuccess);
  EXPECT_EQ(text, At(u"s")->GetString());  // the document's own characters
  EXPECT_EQ(GetStringValue(At(u"five"), &text), JSONFUN_TYPE_ERROR);
}

TEST_F(ValueFunctions, MemberReadsLookUpTheKeyIgnoringCase) {
  std::int32_t i = 0;
  ASSERT_EQ(GetIntMemberValue(&document_, u"FIVE", &i), kJsonSuccess);
  EXPECT_EQ(i, 5);
  ASSERT_EQ(GetIntMemberValue(&document_, u"x", &i), kJsonSuccess);
  EXPECT_EQ(i, 1);  // "x" comes before "X"
  EXPECT_EQ(GetIntMemberValue(&document_, u"absent", &i), JSONFUN_KEY_ERROR);
  EXPECT_EQ(GetIntMemberValue(&document_, u"big", &i), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetIntMemberValue(At(u"list"), u"x", &i), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(GetIntMemberValue(&document_, nullptr, &i), JSONFUN_KEY_ERROR);
  EXPECT_EQ(GetIntMemberValue(nullptr, nullptr, &i), JSONFUN_ADDRESS_ERROR);
}

TEST_F(ValueFunctions, WriterChecksComeInOrderAndChangeNothingOnFailure) {
  auto& allocator = document_.GetAllocator();
  JsonValue* list = &document_[u"list"];
  JsonValue* added = nullptr;
  EXPECT_EQ(AddStringMemberValue(nullptr, nullptr, nullptr, allocator, nullptr), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(AddStringMemberValue(&document_, nullptr, nullptr, allocator, nullptr), JSONFUN_KEY_ERROR);
  EXPECT_EQ(AddStringMemberValue(&document_, u"k", nullptr, allocator, nullptr), JSONFUN_NULL_STRING);
  EXPECT_EQ(AddStringMemberValue(&document_, u"k", u"v", allocator, nullptr), JSONFUN_FAILED);
  EXPECT_EQ(AddStringMemberValue(list, u"k", u"v", allocator, &added), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(PushStringValue(list, nullptr, allocator, &added), JSONFUN_NULL_STRING);
  EXPECT_EQ(PushIntValue(list, 1, allocator, nullptr), JSONFUN_FAILED);
  EXPECT_EQ(PushIntValue(&document_, 1, allocator, &added), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(document_.MemberCount(), 10u);
  EXPECT_EQ(list->Size(), 2u);
}

TEST_F(ValueFunctions, WritersAppendCopiesAndNeverLookForDuplicates) {
  auto& allocator = document_.GetAllocator();
  JsonValue* list = &document_[u"list"];
  JsonValue* added = nullptr;
  std::u16string text = u"copied";
  ASSERT_EQ(PushStringValue(list, text.c_str(), allocator, &added), kJsonSuccess);
  text[0] = u'C';
  EXPECT_EQ(std::u16string(added->GetString()), u"copied");
  EXPECT_EQ(added, &(*list)[2]);
  ASSERT_EQ(PushFloatValue(list, 0.1f, allocator, &added), kJsonSuccess);
  EXPECT_TRUE(added->IsDouble());
  EXPECT_EQ(added->GetDouble(), static_cast<double>(0.1f));
  ASSERT_EQ(PushArrayNode(list, allocator, &added), kJsonSuccess);
  EXPECT_TRUE(added->IsArray());

  ASSERT_EQ(AddIntMemberValue(&document_, u"five", 6, allocator, &added), kJsonSuccess);
  EXPECT_EQ(added, &(document_.MemberEnd() - 1)->value);
  EXPECT_EQ(document_.MemberCount(), 11u);
  std::int32_t first = 0;
  ASSERT_EQ(GetIntMemberValue(&document_, u"five", &first), kJsonSuccess);
  EXPECT_EQ(first, 5);
  ASSERT_EQ(AddObjectMemberNode(&document_, u"o", allocator, &added), kJsonSuccess);
  EXPECT_TRUE(added->IsObject());
  ASSERT_EQ(AddNullMemberValue(added, u"z", allocator, &added), kJsonSuccess);
  EXPECT_TRUE(added->IsNull());
}

}  // namespace
}  // namespace TQJSON
