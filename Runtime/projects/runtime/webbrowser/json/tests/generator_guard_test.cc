// The facade's guard against allocation failures inside operations: a
// failure at any point gives -5, and the document stays whole and usable.
#include <gtest/gtest.h>

#include <string>

#include "allocation_failure.h"
#include "generator_fixture.h"

namespace TQJSON {
namespace {

class Guard : public GeneratorTest {
 protected:
  // A root object whose member storage is full (RapidJSON grows it to 16,
  // 24, 36, ... 1395 members) and whose next storage exceeds a pool block,
  // so the next member needs memory from outside the pool.
  void BuildFullObject() {
    ASSERT_EQ(generator_->CreateRootObjectHandle(&root_), kJsonSuccess);
    ASSERT_EQ(generator_->CreateRootObject(&root_item_), kJsonSuccess);
    for (int i = 0; i < 1395; ++i) ASSERT_EQ(generator_->AddIntMember(root_item_, u"m", i, &item_), kJsonSuccess);
    ASSERT_EQ(generator_->GetHandleOfPath(u"/", &root_), kJsonSuccess);
  }

  JsonItem root_item_ = 0;
  JsonHandle root_ = 0;
};

TEST_F(Guard, AnAllocationFailureAtAnyPointGivesMinusFiveAndLeavesAWholeDocument) {
  for (long successes = 0;; ++successes) {
    BuildFullObject();
    const std::string before = Text();
    std::string after = before;
    after.insert(after.size() - 1, R"(,"a long member name":"a long string value")");
    std::int32_t result = 0;
    {
      ScopedAllocationFailure failure(successes);
      result = generator_->AddStringMemberByHandle(root_, u"a long member name", u"a long string value", &handle_);
      ASSERT_EQ(result, failure.failures() == 0 ? kJsonSuccess : kJsonExceptionCaught);
    }
    // Either nothing happened, or the member is there (a late failure may
    // leave it without its handle).
    std::string text = Text();
    ASSERT_TRUE(text == before || text == after) << "after " << successes << " allocations: " << text;
    // The object is whole: filling and growing its storage keeps every member.
    for (int i = 0; i < 700; ++i) {
      ASSERT_EQ(generator_->AddIntMember(root_item_, u"n", i, &item_), kJsonSuccess);
      text.insert(text.size() - 1, R"(,"n":)" + std::to_string(i));
    }
    ASSERT_EQ(Text(), text) << "after " << successes << " allocations";
    if (result == kJsonSuccess) break;
  }
}

TEST_F(Guard, SavingUnderAllocationFailureGivesMinusFive) {
  BuildFullObject();
  const std::string before = Text();
  {
    ScopedAllocationFailure failure(0);
    const char16_t* text = nullptr;
    EXPECT_EQ(generator_->GetJsonText(&text), kJsonExceptionCaught);
    EXPECT_EQ(failure.failures(), 1);
  }
  EXPECT_EQ(Text(), before);
}

}  // namespace
}  // namespace TQJSON
