// The handle table behind the reader's and writer's handles.
#include <gtest/gtest.h>

#include <string>

#include "tqjson/handle_table.h"

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

}  // namespace
}  // namespace TQJSON
