// Loading whole documents into the writer and grafting files and texts.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "allocation_failure.h"
#include "generator_fixture.h"
#include "json_text_writer.h"
#include "json_tree_copy.h"
#include "testing/temp_dir.h"

namespace TQJSON {
namespace {

using namespace std::string_literals;

class Loading : public GeneratorTest {
 protected:
  std::u16string File(const std::u16string& name, const std::string& bytes) {
    dir_.Write(name, bytes);
    return dir_.File(name);
  }

  lumarine_testing::TempDir dir_;
};

TEST_F(Loading, ALoadReplacesTheDocumentWholeOrNotAtAll) {
  const struct {
    std::string bytes;
    const char* text;
  } files[] = {
      {"\xEF\xBB\xBF[\"\xC3\xA9\"]", R"(["é"])"},                // UTF-8 with a byte-order mark
      {"\xFF\xFE{\0\"\0\xE9\0\"\0:\0""1\0}\0"s, R"({"é":1})"},  // UTF-16LE
      {"\0[\0""2\0]"s, "[2]"},                                  // UTF-16BE, by its zero bytes
      {"[\"caf\xE9\"]", R"(["café"])"},                         // not UTF-8: read as ANSI
  };
  for (const auto& file : files) {
    ASSERT_EQ(generator_->CreateRootObjectHandle(&handle_), kJsonSuccess);
    ASSERT_EQ(generator_->AddIntMemberByHandle(1, u"old", 1, &handle_), kJsonSuccess);
    ASSERT_EQ(generator_->LoadFromFile(File(u"in.json", file.bytes).c_str(), &handle_), kJsonSuccess) << file.text;
    EXPECT_EQ(handle_, 1);
    EXPECT_EQ(Text(), file.text);
    EXPECT_EQ(PathOf(2), u"<failed>");  // the handles start again
  }

  const JsonItem root = NewRootObject();
  ASSERT_EQ(generator_->AddIntMember(root, u"kept", 1, &item_), kJsonSuccess);
  ASSERT_EQ(generator_->GetHandleOfPath(u"/kept", &handle_), kJsonSuccess);
  for (const std::u16string& name : {dir_.File(u"missing.json"), File(u"scalar.json", "42"), File(u"bad.json", "[1,")}) {
    EXPECT_EQ(generator_->LoadFromFile(name.c_str(), &handle_), JSONFUN_TYPE_ERROR);
  }
  EXPECT_EQ(generator_->LoadFromString(u"42", &handle_), JSONFUN_TYPE_ERROR);
  for (const char16_t* text : {u"[1,", u"[1] [2]", u"", static_cast<const char16_t*>(nullptr)}) {
    EXPECT_EQ(generator_->LoadFromString(text, &handle_), JSONFUN_FAILED);
  }
  // Running out of memory at any point of a load leaves the previous
  // document whole, with its items and handles.
  for (long successes = 0;; ++successes) {
    std::int32_t result = 0;
    {
      ScopedAllocationFailure failure(successes);
      result = generator_->LoadFromString(u"{\"new\":[1,{\"deep\":[\"a long string value\"]}]}", &handle_);
    }
    if (result == kJsonSuccess) break;
    ASSERT_EQ(result, kJsonExceptionCaught);
    ASSERT_EQ(Text(), R"({"kept":1})") << "after " << successes << " allocations";
    ASSERT_EQ(PathOf(1), u"/kept");
    ASSERT_EQ(generator_->AddIntMember(item_, u"x", 1, &item_), JSONFUN_TYPE_ERROR);  // still known
  }
  EXPECT_EQ(Text(), R"({"new":[1,{"deep":["a long string value"]}]})");
}

TEST_F(Loading, FilesAndTextsAreGraftedByPathHandleAndItem) {
  ASSERT_EQ(generator_->LoadFromString(u"{\"list\":[1],\"obj\":{}}", &handle_), kJsonSuccess);
  const std::u16string file = File(u"part.json", R"({"f":true})");
  JsonHandle cfg = 0;
  ASSERT_EQ(generator_->InsertTextMemberByPath(u"/", u"cfg", u"{\"a\":1}", &cfg), kJsonSuccess);
  ASSERT_EQ(generator_->InsertFileMemberByHandle(1, u"cfg", file.c_str(), &handle_), kJsonSuccess);
  EXPECT_EQ(handle_, cfg);  // replaced in place
  JsonHandle inner = 0;
  ASSERT_EQ(generator_->InsertTextByPath(u"/list", u"[3]", &inner), kJsonSuccess);
  ASSERT_EQ(generator_->InsertFileByHandle(inner, file.c_str(), &handle_), kJsonSuccess);
  EXPECT_EQ(PathOf(handle_), u"/list/2/2");
  ASSERT_EQ(generator_->InsertTextByHandle(inner, u"[]", &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->InsertFileMemberByPath(u"/obj", u"g", file.c_str(), &handle_), kJsonSuccess);
  // A key holding "/" or "~" names a member of its own.
  JsonHandle odd = 0;
  ASSERT_EQ(generator_->InsertTextMemberByPath(u"/", u"a/b~c", u"[0]", &odd), kJsonSuccess);
  ASSERT_EQ(generator_->InsertTextMemberByHandle(1, u"a/b~c", u"[1]", &handle_), kJsonSuccess);
  EXPECT_EQ(handle_, odd);
  EXPECT_EQ(PathOf(odd), u"/a~/b~0c");
  EXPECT_EQ(Text(), R"({"list":[1,[3,{"f":true},[]]],"obj":{"g":{"f":true}},"cfg":{"f":true},"a/b~c":[1]})");

  const JsonItem root = NewRootObject();
  ASSERT_EQ(generator_->InsertTextMember(root, u"x", u"[1]"), kJsonSuccess);
  ASSERT_EQ(generator_->InsertTextMember(root, u"x", u"{}"), kJsonSuccess);
  EXPECT_EQ(Text(), R"({"x":[1],"x":{}})");
}

TEST_F(Loading, ARefusedGraftChangesNothing) {
  ASSERT_EQ(generator_->LoadFromString(u"{\"list\":[],\"obj\":{}}", &handle_), kJsonSuccess);
  // A parent of the wrong kind gives 0 before the source is read: the
  // missing file would give -3.
  const std::u16string missing = dir_.File(u"missing.json");
  EXPECT_EQ(generator_->InsertFileMemberByPath(u"/list", u"k", missing.c_str(), &handle_), JSONFUN_FAILED);
  EXPECT_EQ(generator_->InsertFileByHandle(1, missing.c_str(), &handle_), JSONFUN_FAILED);
  EXPECT_EQ(generator_->InsertFileMemberByPath(u"/", nullptr, missing.c_str(), &handle_), JSONFUN_KEY_ERROR);
  EXPECT_EQ(generator_->InsertFileByPath(u"/nothing", missing.c_str(), &handle_), JSONFUN_PATH_ERROR);
  EXPECT_EQ(generator_->InsertTextByHandle(99, u"[]", &handle_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(generator_->InsertFileMemberByPath(u"/", u"k", missing.c_str(), &handle_), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(generator_->InsertTextByPath(u"/list", u"\"text\"", &handle_), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(generator_->InsertTextMemberByPath(u"/obj", u"k", u"[1,]", &handle_), JSONFUN_FAILED);
  EXPECT_EQ(generator_->InsertTextMember(0, u"k", u"{}"), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(Text(), R"({"list":[],"obj":{}})");
}

TEST_F(Loading, DeepDocumentsAreGraftedWithoutRecursion) {
  const std::u16string deep = std::u16string(999, u'[') + std::u16string(999, u']');  // as deep as texts go
  ASSERT_EQ(generator_->CreateRootArrayHandle(&handle_), kJsonSuccess);
  ASSERT_EQ(generator_->InsertTextByHandle(1, deep.c_str(), &handle_), kJsonSuccess);
  EXPECT_EQ(Text(), "[" + std::string(999, '[') + std::string(999, ']') + "]");

  // The copy itself has no depth limit and needs nothing of its source.
  auto source = std::make_unique<JsonDocument>();
  JsonValue* node = &source->SetArray();
  for (int i = 0; i < 100000; ++i) node = &node->PushBack(JsonValue(rapidjson::kArrayType), source->GetAllocator())[0];
  node->PushBack(JsonValue(u"a string too long to be held short", source->GetAllocator()), source->GetAllocator());
  JsonDocument target;
  const JsonValue copy = CopyJsonTree(*source, target.GetAllocator());
  JsonTextBuffer expected;
  JsonTextBuffer copied;
  ASSERT_TRUE(WriteJsonText(*source, expected));
  source.reset();
  ASSERT_TRUE(WriteJsonText(copy, copied));
  EXPECT_EQ(std::u16string(copied.GetString()), std::u16string(expected.GetString()));
}

}  // namespace
}  // namespace TQJSON
