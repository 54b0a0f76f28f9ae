// Handles and items: the tables behind the addressing forms.
#include <gtest/gtest.h>

#include <string>

#include "test_documents.h"
#include "tqjson/handle_table.h"
#include "tqjson/item_registry.h"

namespace TQJSON {
namespace {

TEST(HandleTable, NumbersTargetsFromOneAndKeepsThem) {
  HandleTable<std::u16string> table;
  EXPECT_EQ(table.FindOrAdd(u""), 1);
  EXPECT_EQ(table.FindOrAdd(u"/a"), 2);
  EXPECT_EQ(table.FindOrAdd(u""), 1);
  ASSERT_NE(table.Find(2), nullptr);
  EXPECT_EQ(*table.Find(2), u"/a");
  EXPECT_EQ(table.Find(3), nullptr);
  EXPECT_EQ(table.Find(0), nullptr);
  table.Clear();
  EXPECT_EQ(table.Find(1), nullptr);
  EXPECT_EQ(table.FindOrAdd(u"/b"), 1);
}

class Items : public ::testing::Test {
 protected:
  void SetUp() override {
    ParseInto(document_, R"({"list":[{"deep":[1]}]})");
    list_ = &document_[u"list"];
    element_ = &(*list_)[0];
    deep_ = &(*element_)[u"deep"];
    for (JsonValue* value : {static_cast<JsonValue*>(&document_), list_, element_, deep_}) items_.Add(value);
  }
  static JsonItem ItemOf(const JsonValue* value) { return reinterpret_cast<JsonItem>(value); }

  JsonDocument document_;
  ItemRegistry items_;
  JsonValue* list_ = nullptr;
  JsonValue* element_ = nullptr;
  JsonValue* deep_ = nullptr;
};

TEST_F(Items, OnlyRecordedItemsAreFound) {
  EXPECT_EQ(items_.Find(ItemOf(&document_)), &document_);
  EXPECT_EQ(items_.Find(ItemOf(deep_)), deep_);
  EXPECT_EQ(items_.Find(0), nullptr);
  EXPECT_EQ(items_.Find(ItemOf(&(*deep_)[0])), nullptr);
}

TEST_F(Items, GrowthMakesOnlyTheDirectChildrenStale) {
  const void* storage = ChildStorageOf(*list_);
  const rapidjson::SizeType count = ChildCountOf(*list_);
  for (int i = 0; i < 40; ++i) list_->PushBack(JsonValue(i), document_.GetAllocator());
  ASSERT_NE(ChildStorageOf(*list_), storage);
  items_.ForgetMovedChildren(*list_, storage, count);
  EXPECT_EQ(items_.Find(ItemOf(element_)), nullptr);
  // The moved element took its own children along.
  EXPECT_EQ(items_.Find(ItemOf(deep_)), deep_);
  EXPECT_EQ(&(*list_)[0][u"deep"], deep_);
  EXPECT_EQ(items_.Find(ItemOf(list_)), list_);
}

TEST_F(Items, ReplacingAValueMakesEverythingBelowItStale) {
  items_.ForgetItemsBelow(*list_);
  list_->SetNull();
  EXPECT_EQ(items_.Find(ItemOf(list_)), list_);
  EXPECT_EQ(items_.Find(ItemOf(element_)), nullptr);
  EXPECT_EQ(items_.Find(ItemOf(deep_)), nullptr);
}

}  // namespace
}  // namespace TQJSON
