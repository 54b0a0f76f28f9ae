// Paths, JSON Pointers and the conversions between them.
#include "json_paths.h"

#include <gtest/gtest.h>

#include "test_documents.h"
#include "tqjson/json_codes.h"

namespace TQJSON {
namespace {

class JsonPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    ParseInto(document_, R"({"list":[10,{"name":{"3":"x"}},30],"obj":{"1":"one","a/b":2,"x~y":3},"Name":1,"":{"":5}})");
  }

  // The pointer text of a path that must resolve.
  std::u16string PointerOf(const char16_t* path) {
    PathTarget target;
    EXPECT_EQ(ConvertPathToPointer(document_, path, &target), kJsonSuccess);
    EXPECT_NE(target.node, nullptr);
    return target.pointer;
  }

  std::int32_t Convert(const char16_t* path) {
    PathTarget target;
    return ConvertPathToPointer(document_, path, &target);
  }

  JsonDocument document_;
};

TEST_F(JsonPaths, RootAndPathsThatAreNotPaths) {
  PathTarget target;
  ASSERT_EQ(ConvertPathToPointer(document_, u"/", &target), kJsonSuccess);
  EXPECT_EQ(target.pointer, u"");
  EXPECT_EQ(target.node, &document_);
  EXPECT_EQ(Convert(nullptr), JSONFUN_PATH_ERROR);
  EXPECT_EQ(Convert(u""), JSONFUN_PATH_ERROR);
  EXPECT_EQ(Convert(u"list/1"), JSONFUN_PATH_ERROR);
}

TEST_F(JsonPaths, ArrayIndexesCountFromOne) {
  EXPECT_EQ(PointerOf(u"/list/1"), u"/list/0");
  EXPECT_EQ(PointerOf(u"/list/3"), u"/list/2");
  EXPECT_EQ(Convert(u"/list/0"), JSONFUN_PATH_ERROR);
  EXPECT_EQ(Convert(u"/list/4"), JSONFUN_PATH_ERROR);
  // Only the leading digits of a segment count, as _wtoi reads them.
  EXPECT_EQ(PointerOf(u"/list/2abc"), u"/list/1");
  EXPECT_EQ(Convert(u"/list/x1"), JSONFUN_PATH_ERROR);
  // Saturated and extreme indexes neither wrap nor resolve.
  EXPECT_EQ(Convert(u"/list/99999999999"), JSONFUN_PATH_ERROR);
  EXPECT_EQ(Convert(u"/list/-2147483648"), JSONFUN_PATH_ERROR);
}

TEST_F(JsonPaths, MemberSegmentsNameMembersExactly) {
  EXPECT_EQ(PointerOf(u"/obj/1"), u"/obj/1");  // a member named "1" of an object
  EXPECT_EQ(PointerOf(u"/list/2/name/3"), u"/list/1/name/3");
  EXPECT_EQ(PointerOf(u"/obj/a~/b"), u"/obj/a~1b");
  EXPECT_EQ(PointerOf(u"/obj/a~1b"), u"/obj/a~1b");
  EXPECT_EQ(PointerOf(u"/obj/x~0y"), u"/obj/x~0y");
  EXPECT_EQ(Convert(u"/obj/x~y"), JSONFUN_PATH_ERROR);
  EXPECT_EQ(Convert(u"/name"), JSONFUN_PATH_ERROR);
  EXPECT_EQ(PointerOf(u"/Name"), u"/Name");
  // "//" holds two empty segments: the member "" of the member "".
  PathTarget target;
  ASSERT_EQ(ConvertPathToPointer(document_, u"//", &target), kJsonSuccess);
  EXPECT_EQ(target.pointer, u"//");
  EXPECT_EQ(target.node->GetInt(), 5);
  EXPECT_EQ(Convert(u"///"), JSONFUN_PATH_ERROR);
}

TEST_F(JsonPaths, PathsOfAnyLengthAreHandled) {
  JsonDocument deep;
  std::string text;
  std::u16string path;
  for (int i = 0; i < 3000; ++i) {
    text += R"({"segment":)";
    path += u"/segment";
  }
  text += "[1,2]" + std::string(3000, '}');
  ParseInto(deep, text.c_str());
  path += u"/2";
  PathTarget target;
  ASSERT_EQ(ConvertPathToPointer(deep, path.c_str(), &target), kJsonSuccess);
  EXPECT_EQ(target.node->GetInt(), 2);

  const std::u16string long_name(5000, u'n');
  JsonValue name(long_name.c_str(), static_cast<rapidjson::SizeType>(long_name.size()), deep.GetAllocator());
  JsonValue root(rapidjson::kObjectType);
  root.AddMember(name, JsonValue(7), deep.GetAllocator());
  ASSERT_EQ(ConvertPathToPointer(root, (u"/" + long_name).c_str(), &target), kJsonSuccess);
  EXPECT_EQ(target.node->GetInt(), 7);
}

TEST_F(JsonPaths, PointersTurnBackIntoPaths) {
  EXPECT_EQ(ConvertPointerToPath(document_, u""), u"/");
  EXPECT_EQ(ConvertPointerToPath(document_, u"/list/0"), u"/list/1");
  EXPECT_EQ(ConvertPointerToPath(document_, u"/list/1/name/3"), u"/list/2/name/3");
  EXPECT_EQ(ConvertPointerToPath(document_, u"/obj/a~1b"), u"/obj/a~/b");
  EXPECT_EQ(ConvertPointerToPath(document_, u"/obj/x~0y"), u"/obj/x~0y");
  EXPECT_EQ(ConvertPointerToPath(document_, u"/list/3"), std::nullopt);
  EXPECT_EQ(ConvertPointerToPath(document_, u"/obj/x~"), std::nullopt);
  EXPECT_EQ(ConvertPointerToPath(document_, u"/Name/0"), std::nullopt);
}

TEST_F(JsonPaths, EscapedKeysNameTheirOwnMember) {
  EXPECT_EQ(EscapePointerToken(u"a/b~c"), u"a~1b~0c");
  for (const char16_t* name : {u"a/b", u"x~y", u"1"}) {
    const std::u16string pointer = u"/obj/" + EscapePointerToken(name);
    const JsonValue* node = ResolvePointer(document_, pointer);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node, &document_[u"obj"][name]);
    // The path form leads back to the same value.
    PathTarget target;
    ASSERT_EQ(ConvertPathToPointer(document_, ConvertPointerToPath(document_, pointer)->c_str(), &target),
              kJsonSuccess);
    EXPECT_EQ(target.node, node);
  }
}

}  // namespace
}  // namespace TQJSON
