// Building documents through the writer's chain: roots, the addressing
// forms, replacement, growth, paths and handles.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "generator_fixture.h"
#include "platform/base64.h"

namespace TQJSON {
namespace {

class Building : public GeneratorTest {};

TEST_F(Building, RootCreationStartsANewDocumentEachTime) {
  EXPECT_EQ(Text(), "");  // no root yet
  EXPECT_EQ(generator_->AddIntMemberByPath(u"/", u"a", 1, &handle_), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(generator_->AppendIntByPath(u"/", 1, &handle_), JSONFUN_TYPE_ERROR);
  JsonHandle root = 0;
  ASSERT_EQ(generator_->CreateRootObjectHandle(&root), kJsonSuccess);
  EXPECT_EQ(root, 1);
  EXPECT_EQ(PathOf(1), u"/");
  ASSERT_EQ(generator_->AddObjectMemberByHandle(1, u"a", &handle_), kJsonSuccess);
  EXPECT_EQ(handle_, 2);
  ASSERT_EQ(generator_->CreateRootObjectHandle(&root), kJsonSuccess);
  EXPECT_EQ(root, 1);
  EXPECT_EQ(generator_->AddIntMemberByHandle(2, u"x", 1, &handle_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(Text(), "{}");

  const JsonItem array = NewRootArray();
  EXPECT_EQ(Text(), "[]");
  // The root created by item has no handle until a path registers it.
  EXPECT_EQ(generator_->AppendIntByHandle(1, 1, &handle_), JSONFUN_ADDRESS_ERROR);
  ASSERT_EQ(generator_->GetHandleOfPath(u"/", &handle_), kJsonSuccess);
  EXPECT_EQ(handle_, 1);
  ASSERT_EQ(generator_->AppendInt(array, 7, &item_), kJsonSuccess);
  NewRootObject();
  EXPECT_EQ(generator_->AppendInt(array, 7, &item_), JSONFUN_ADDRESS_ERROR);
}

TEST_F(Building, ItemFormsAlwaysAddWhilePathAndHandleFormsReplace) {
  const JsonItem root = NewRootObject();
  ASSERT_EQ(generator_->AddIntMember(root, u"a", 1, &item_), kJsonSuccess);
  ASSERT_EQ(generator_->AddIntMember(root, u"a", 2, &item_), kJsonSuccess);
  EXPECT_EQ(Text(), R"({"a":1,"a":2})");

  // The item-added members have no registered text: the path form adds.
  JsonHandle first = 0;
  ASSERT_EQ(generator_->AddIntMemberByPath(u"/", u"a", 3, &first), kJsonSuccess);
  EXPECT_EQ(Text(), R"({"a":1,"a":2,"a":3})");
  // Now "/a" is registered: the next path form replaces the first "a" in
  // place (the one the path names) and hands out the same handle.
  JsonHandle second = 0;
  ASSERT_EQ(generator_->AddStringMemberByPath(u"/", u"a", u"x", &second), kJsonSuccess);
  EXPECT_EQ(second, first);
  EXPECT_EQ(Text(), R"({"a":"x","a":2,"a":3})");

  JsonHandle root_handle = 0;
  ASSERT_EQ(generator_->GetHandleOfPath(u"/", &root_handle), kJsonSuccess);
  ASSERT_EQ(generator_->AddBooleanMemberByHandle(root_handle, u"b", 1, &first), kJsonSuccess);
  ASSERT_EQ(generator_->AddNullMemberByHandle(root_handle, u"b", &second), kJsonSuccess);
  EXPECT_EQ(second, first);
  EXPECT_EQ(Text(), R"({"a":"x","a":2,"a":3,"b":null})");
  // A null string never reaches a registered member.
  EXPECT_EQ(generator_->AddStringMemberByHandle(root_handle, u"b", nullptr, &second), JSONFUN_NULL_STRING);
  EXPECT_EQ(generator_->AddStringMemberByHandle(root_handle, u"b", u"v", nullptr), JSONFUN_FAILED);
  EXPECT_EQ(Text(), R"({"a":"x","a":2,"a":3,"b":null})");
}

TEST_F(Building, ReplacingASubTreeLeavesItsHandlesAndItemsStale) {
  const JsonItem root = NewRootObject();
  JsonHandle config = 0;
  JsonHandle list = 0;
  ASSERT_EQ(generator_->AddObjectMemberByPath(u"/", u"cfg", &config), kJsonSuccess);
  ASSERT_EQ(generator_->AddArrayMemberByHandle(config, u"list", &list), kJsonSuccess);
  ASSERT_EQ(generator_->AppendIntByHandle(list, 1, &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AddIntMember(root, u"n", 5, &item_), kJsonSuccess);
  EXPECT_EQ(Text(), R"({"cfg":{"list":[1]},"n":5})");

  JsonHandle again = 0;
  ASSERT_EQ(generator_->AddObjectMemberByPath(u"/", u"cfg", &again), kJsonSuccess);
  EXPECT_EQ(again, config);
  EXPECT_EQ(Text(), R"({"cfg":{},"n":5})");
  EXPECT_EQ(generator_->AppendIntByHandle(list, 2, &handle_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(PathOf(list), u"<failed>");
  // Adding the member again makes its handle name it again.
  ASSERT_EQ(generator_->AddArrayMemberByHandle(config, u"list", &again), kJsonSuccess);
  EXPECT_EQ(again, list);

  // An item inside a replaced value is refused; the value's own item stays.
  JsonItem inner = 0;
  JsonItem deeper = 0;
  ASSERT_EQ(generator_->AddObjectMember(root, u"obj", &inner), kJsonSuccess);
  ASSERT_EQ(generator_->AddObjectMember(inner, u"deeper", &deeper), kJsonSuccess);
  ASSERT_EQ(generator_->GetHandleOfPath(u"/obj", &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AddArrayMemberByPath(u"/", u"obj", &handle_), kJsonSuccess);
  EXPECT_EQ(generator_->AddIntMember(deeper, u"x", 1, &item_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(generator_->AppendInt(inner, 1, &item_), kJsonSuccess);
  EXPECT_EQ(Text(), R"({"cfg":{"list":[]},"n":5,"obj":[1]})");
}

TEST_F(Building, GrowthMakesItemsOfMovedChildrenStaleButNotHandles) {
  const JsonItem root = NewRootArray();
  JsonItem first = 0;
  JsonItem grandchild = 0;
  ASSERT_EQ(generator_->AppendObject(root, &first), kJsonSuccess);
  ASSERT_EQ(generator_->AddArrayMember(first, u"g", &grandchild), kJsonSuccess);
  ASSERT_EQ(generator_->GetHandleOfPath(u"/1", &handle_), kJsonSuccess);
  const JsonHandle first_handle = handle_;
  for (int i = 0; i < 40; ++i) ASSERT_EQ(generator_->AppendInt(root, i, &item_), kJsonSuccess);
  // The root's storage moved: its first element's item is refused ...
  EXPECT_EQ(generator_->AddIntMember(first, u"x", 1, &item_), JSONFUN_ADDRESS_ERROR);
  // ... while what the element owns moved with it, and handles resolve anew.
  EXPECT_EQ(generator_->AppendInt(grandchild, 7, &item_), kJsonSuccess);
  ASSERT_EQ(generator_->AddIntMemberByHandle(first_handle, u"y", 8, &handle_), kJsonSuccess);
  EXPECT_EQ(PathOf(handle_), u"/1/y");
  EXPECT_EQ(Text().substr(0, 25), R"([{"g":[7],"y":8},0,1,2,3,)");

  // The same through handles only.
  JsonHandle array = 0;
  ASSERT_EQ(generator_->CreateRootArrayHandle(&array), kJsonSuccess);
  ASSERT_EQ(generator_->AppendObjectByPath(u"/", &handle_), kJsonSuccess);
  EXPECT_EQ(handle_, 2);
  EXPECT_EQ(PathOf(2), u"/1");
  for (int i = 0; i < 40; ++i) ASSERT_EQ(generator_->AppendNullByHandle(array, &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AddIntMemberByHandle(2, u"b", 5, &handle_), kJsonSuccess);
  EXPECT_EQ(PathOf(handle_), u"/1/b");
  EXPECT_EQ(Text().substr(0, 14), R"([{"b":5},null,)");
}

TEST_F(Building, PathsAddressMembersAndElements) {
  JsonHandle root = 0;
  ASSERT_EQ(generator_->CreateRootObjectHandle(&root), kJsonSuccess);
  ASSERT_EQ(generator_->AddArrayMemberByPath(u"/", u"list", &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AppendObjectByPath(u"/list", &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AddIntMemberByPath(u"/list/1", u"x", 1, &handle_), kJsonSuccess);
  EXPECT_EQ(PathOf(handle_), u"/list/1/x");
  EXPECT_EQ(generator_->AddIntMemberByPath(u"/list/0", u"x", 1, &handle_), JSONFUN_PATH_ERROR);
  EXPECT_EQ(generator_->AddIntMemberByPath(u"/list/2", u"x", 1, &handle_), JSONFUN_PATH_ERROR);
  EXPECT_EQ(generator_->AddIntMemberByPath(u"/list/-2147483648", u"x", 1, &handle_), JSONFUN_PATH_ERROR);
  EXPECT_EQ(generator_->AddIntMemberByPath(u"/list/99999999999", u"x", 1, &handle_), JSONFUN_PATH_ERROR);
  EXPECT_EQ(generator_->AddIntMemberByPath(u"list", u"x", 1, &handle_), JSONFUN_PATH_ERROR);
  EXPECT_EQ(generator_->AddIntMemberByPath(nullptr, u"x", 1, &handle_), JSONFUN_PATH_ERROR);
  // A member named "1" of an object is a member, not an index.
  ASSERT_EQ(generator_->AddObjectMemberByPath(u"/", u"1", &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AddIntMemberByPath(u"/1", u"y", 2, &handle_), kJsonSuccess);
  EXPECT_EQ(PathOf(handle_), u"/1/y");
  EXPECT_EQ(Text(), R"({"list":[{"x":1}],"1":{"y":2}})");
}

TEST_F(Building, KeysWithSlashOrTildeNameTheirOwnMember) {
  JsonHandle root = 0;
  ASSERT_EQ(generator_->CreateRootObjectHandle(&root), kJsonSuccess);
  ASSERT_EQ(generator_->AddObjectMemberByPath(u"/", u"a", &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AddIntMemberByPath(u"/a", u"b", 1, &handle_), kJsonSuccess);
  JsonHandle slash = 0;
  ASSERT_EQ(generator_->AddIntMemberByPath(u"/", u"a/b", 2, &slash), kJsonSuccess);
  EXPECT_NE(slash, handle_);
  EXPECT_EQ(PathOf(slash), u"/a~/b");
  JsonHandle again = 0;
  ASSERT_EQ(generator_->AddIntMemberByHandle(root, u"a/b", 3, &again), kJsonSuccess);
  EXPECT_EQ(again, slash);
  JsonHandle tilde = 0;
  ASSERT_EQ(generator_->AddIntMemberByHandle(root, u"~1", 4, &tilde), kJsonSuccess);
  EXPECT_EQ(PathOf(tilde), u"/~01");
  ASSERT_EQ(generator_->GetHandleOfPath(u"/~01", &again), kJsonSuccess);
  EXPECT_EQ(again, tilde);
  EXPECT_EQ(Text(), R"({"a":{"b":1},"a/b":3,"~1":4})");
}

TEST_F(Building, HandlesOfPathsAndPathsOfHandles) {
  const JsonItem root = NewRootObject();
  ASSERT_EQ(generator_->AddArrayMember(root, u"list", &item_), kJsonSuccess);
  ASSERT_EQ(generator_->AppendString(item_, u"s", &item_), kJsonSuccess);
  JsonHandle element = 0;
  ASSERT_EQ(generator_->GetHandleOfPath(u"/list/1", &element), kJsonSuccess);
  ASSERT_EQ(generator_->GetHandleOfPath(u"/list/1", &handle_), kJsonSuccess);
  EXPECT_EQ(handle_, element);
  EXPECT_EQ(generator_->GetHandleOfPath(u"/list/2", &handle_), JSONFUN_PATH_ERROR);
  EXPECT_EQ(generator_->GetHandleOfPath(u"/list/1", nullptr), JSONFUN_FAILED);

  // The caller's buffer is filled only when the path and its terminator fit.
  char16_t buffer[8] = u"unused";
  EXPECT_EQ(generator_->GetPathOfHandle(element, buffer, 8), kJsonSuccess);
  EXPECT_EQ(std::u16string(buffer), u"/list/1");
  EXPECT_EQ(generator_->GetPathOfHandle(element, buffer, 7), JSONFUN_FAILED);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(generator_->GetPathOfHandle(element, nullptr, 100), JSONFUN_FAILED);
  EXPECT_EQ(generator_->GetPathOfHandle(99, buffer, 8), JSONFUN_ADDRESS_ERROR);

  // Paths longer than any fixed buffer work both ways.
  JsonHandle deep = 0;
  ASSERT_EQ(generator_->GetHandleOfPath(u"/", &deep), kJsonSuccess);
  std::u16string path;
  for (int level = 0; level < 400; ++level) {
    ASSERT_EQ(generator_->AddObjectMemberByHandle(deep, u"level", &deep), kJsonSuccess);
    path += u"/level";
  }
  EXPECT_EQ(PathOf(deep), path);
  ASSERT_EQ(generator_->AddIntMemberByPath(path.c_str(), u"end", 1, &handle_), kJsonSuccess);
  EXPECT_EQ(PathOf(handle_), path + u"/end");
}

TEST_F(Building, TheAdapterStoresIntegralFloatingValuesByItemAsIntegers) {
  const JsonItem root = NewRootArray();
  ASSERT_EQ(generator_->GetHandleOfPath(u"/", &handle_), kJsonSuccess);
  const JsonHandle root_handle = handle_;
  generator_->AppendDouble(root, 3.0, &item_);
  generator_->AppendDoubleByPath(u"/", 3.0, &handle_);
  generator_->AppendDouble(root, -0.0, &item_);
  generator_->AppendDouble(root, 9223372036854775808.0, &item_);
  generator_->AppendDouble(root, -9223372036854775808.0, &item_);
  generator_->AppendDouble(root, 0.5, &item_);
  generator_->AppendFloatByHandle(root_handle, 2.0f, &handle_);
  generator_->AppendFloatByPath(u"/", 0.1f, &handle_);
  EXPECT_EQ(Text(), "[3,3.0,0,9223372036854776000.0,-9223372036854775808,0.5,2,0.10000000149011612]");
}

TEST_F(Building, SpecialNumbersBlobsAndVariants) {
  JsonHandle root = 0;
  ASSERT_EQ(generator_->CreateRootArrayHandle(&root), kJsonSuccess);
  for (std::uint32_t kind = 0; kind < 4; ++kind) {
    ASSERT_EQ(generator_->AppendSpecialNumberByPath(u"/", kind, &handle_), kJsonSuccess);
  }
  EXPECT_EQ(generator_->AppendSpecialNumberByPath(u"/", 4, &handle_), JSONFUN_FAILED);
  EXPECT_EQ(generator_->AppendSpecialNumberByPath(u"/x", 4, &handle_), JSONFUN_PATH_ERROR);
  EXPECT_EQ(Text(), "[0,NaN,Infinity,-Infinity]");

  ASSERT_EQ(generator_->AppendObjectByHandle(root, &handle_), kJsonSuccess);
  const JsonHandle object = handle_;
  ASSERT_EQ(generator_->AddSpecialNumberMemberByHandle(object, u"n", 1, &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AddSpecialNumberMemberByHandle(object, u"n", 3, &handle_), kJsonSuccess);
  EXPECT_EQ(generator_->AddBlobMemberByHandle(object, u"b", nullptr, 3, &handle_), JSONFUN_FAILED);
  ASSERT_EQ(generator_->AddBlobMemberByHandle(object, u"b", "hello", 5, &handle_), kJsonSuccess);
  JsonVariant variant;
  variant.type = kJsonVariantInt64;
  variant.value.int64_value = -5000000000;
  ASSERT_EQ(generator_->AddVariantByHandle(object, u"v", &variant, &handle_), kJsonSuccess);
  variant.type = kJsonVariantTextRef;
  variant.value.text = u"t";
  ASSERT_EQ(generator_->AddVariantByPath(u"/5", nullptr, &variant, &handle_), JSONFUN_TYPE_ERROR);
  ASSERT_EQ(generator_->AddVariantByPath(u"/", nullptr, &variant, &handle_), kJsonSuccess);
  variant.type = 8;
  EXPECT_EQ(generator_->AddVariantByPath(u"/", nullptr, &variant, &handle_), JSONFUN_FAILED);
  EXPECT_EQ(generator_->AddVariantByPath(u"/", nullptr, nullptr, &handle_), JSONFUN_FAILED);
  EXPECT_EQ(Text(), R"([0,NaN,Infinity,-Infinity,{"n":-Infinity,"b":"aGVsbG8=","v":-5000000000},"t"])");
}

TEST_F(Building, BlobsOfAnySizeBecomeBase64Strings) {
  const JsonItem root = NewRootArray();
  std::string bytes;
  for (int i = 0; i < 1500; ++i) bytes += static_cast<char>(i % 251);
  ASSERT_EQ(generator_->AppendBlob(root, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &item_), kJsonSuccess);
  ASSERT_EQ(generator_->AppendBlobByPath(u"/", "hi", 2, &handle_), kJsonSuccess);
  ASSERT_EQ(generator_->AppendBlob(root, "", 0, &item_), kJsonSuccess);
  const std::string text = Text();
  const std::size_t end = text.find('"', 2);
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(platform::Base64Decode(platform::Utf8ToUtf16(text.substr(2, end - 2))), bytes);
  EXPECT_EQ(text.substr(end), R"(","aGk=",""])");
}

TEST_F(Building, ItemFormChecksComeInOrder) {
  const JsonItem root = NewRootObject();
  EXPECT_EQ(generator_->AddStringMember(0, nullptr, nullptr, nullptr), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(generator_->AddStringMember(root + 1, u"k", u"v", &item_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(generator_->AddStringMember(root, nullptr, nullptr, nullptr), JSONFUN_KEY_ERROR);
  EXPECT_EQ(generator_->AddStringMember(root, u"k", nullptr, nullptr), JSONFUN_NULL_STRING);
  EXPECT_EQ(generator_->AddStringMember(root, u"k", u"v", nullptr), JSONFUN_FAILED);
  EXPECT_EQ(generator_->AppendString(root, u"v", &item_), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(generator_->AddVariant(root, u"k", nullptr, &item_), JSONFUN_FAILED);
  EXPECT_EQ(Text(), "{}");
}

// The counted path keeps what the zero-terminated adders would cut at U+0000.
TEST_F(Building, CountedStringsKeepEveryUnitIncludingNul) {
  auto* counted = dynamic_cast<ICountedTextWriter*>(generator_);
  ASSERT_NE(counted, nullptr);
  const JsonItem root = NewRootObject();
  const std::u16string with_nul(u"before\0after\0", 13);
  ASSERT_EQ(counted->AddCountedStringMember(root, u"s", with_nul, &item_), kJsonSuccess);
  ASSERT_EQ(counted->AddCountedStringMember(root, u"empty", std::u16string_view(), &item_), kJsonSuccess);
  ASSERT_EQ(generator_->AddStringMember(root, u"cut", with_nul.c_str(), &item_), kJsonSuccess);
  EXPECT_EQ(Text(), R"({"s":"before\u0000after\u0000","empty":"","cut":"before"})");

  EXPECT_EQ(counted->AddCountedStringMember(0, u"k", u"v", &item_), JSONFUN_ADDRESS_ERROR);
  EXPECT_EQ(counted->AddCountedStringMember(root, nullptr, u"v", &item_), JSONFUN_KEY_ERROR);
  EXPECT_EQ(counted->AddCountedStringMember(root, u"k", u"v", nullptr), JSONFUN_FAILED);
  EXPECT_EQ(counted->AddCountedStringMember(NewRootArray(), u"k", u"v", &item_), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(Text(), "[]");

  // A chain without an implementation has nothing to add to.
  IJsonGenerator* empty_chain = new CJsonGenerator(new CJsonGeneratorAdapter());
  EXPECT_EQ(dynamic_cast<ICountedTextWriter*>(empty_chain)->AddCountedStringMember(1, u"k", u"v", &item_),
            JSONFUN_FAILED);
  empty_chain->Release();
}

}  // namespace
}  // namespace TQJSON
