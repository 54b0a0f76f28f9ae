// Reference counting, strings and the value containers, against CEF's rules.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "cef_process_message.h"
#include "cef_string.h"
#include "cef_string_printer.h"
#include "cef_values.h"

namespace {

class Counted : public CefBaseRefCounted {
 public:
  explicit Counted(std::atomic<int>* deletions) : deletions_(deletions) {}
  ~Counted() override { deletions_->fetch_add(1); }

 private:
  std::atomic<int>* deletions_;

  IMPLEMENT_REFCOUNTING(Counted);
};

TEST(RefCountingTest, LastReferenceFromAnyThreadDeletesOnce) {
  std::atomic<int> deletions{0};
  CefRefPtr<Counted> object = new Counted(&deletions);
  EXPECT_TRUE(object->HasOneRef());
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([copy = object] {
      for (int i = 0; i < 10000; ++i) CefRefPtr<Counted> another = copy;
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_TRUE(object->HasOneRef());
  CefRefPtr<CefBaseRefCounted> base = object;
  EXPECT_FALSE(object->HasOneRef());
  object = nullptr;
  EXPECT_FALSE(object);
  EXPECT_EQ(deletions.load(), 0);
  base.reset();
  EXPECT_EQ(deletions.load(), 1);
}

TEST(CefStringTest, KeepsEveryUnitAndConvertsToUtf8) {
  const std::u16string units = {u'a', 0, 0xD800, u'b', 0xDFFF};
  const CefString text(units);
  EXPECT_EQ(text.length(), 5u);
  EXPECT_EQ(text.ToString16(), units);
  EXPECT_EQ(CefString(text.ToString16()), text);
  EXPECT_EQ(text.ToString(), std::string("a\0\xEF\xBF\xBD" "b\xEF\xBF\xBD", 9));

  EXPECT_EQ(CefString("h\xC3\xA9\xF0\x9F\x98\x80").ToString16(), u"h\u00E9\U0001F600");
  EXPECT_EQ(CefString("bad \xFF").ToString16(), u"bad \uFFFD");
  EXPECT_NE(CefString("Renderer"), CefString("renderer"));
  EXPECT_EQ(CefString(static_cast<const char16_t*>(nullptr)), CefString());
}

TEST(ListValueTest, ReadingPastTheEndOrAnotherTypeGivesTheEmptyValue) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetString(0, "text");
  list->SetInt(1, 7);
  EXPECT_EQ(list->GetType(5), VTYPE_INVALID);
  EXPECT_EQ(list->GetInt(5), 0);
  EXPECT_FALSE(list->GetBool(5));
  EXPECT_TRUE(list->GetString(5).empty());
  EXPECT_FALSE(list->GetBinary(5));
  EXPECT_EQ(list->GetInt(0), 0);
  EXPECT_EQ(list->GetDouble(1), 0.0);
  EXPECT_TRUE(list->GetString(1).empty());
  EXPECT_FALSE(list->GetList(1));
  EXPECT_FALSE(list->GetDictionary(0));
  EXPECT_EQ(list->GetString(0), CefString("text"));
}

TEST(ListValueTest, SettingBeyondTheSizeFillsTheGapWithNulls) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  EXPECT_TRUE(list->SetInt(0, 1));
  EXPECT_TRUE(list->SetBool(2, true));
  ASSERT_EQ(list->GetSize(), 3u);
  EXPECT_EQ(list->GetType(0), VTYPE_INT);
  EXPECT_EQ(list->GetType(1), VTYPE_NULL);
  EXPECT_EQ(list->GetType(2), VTYPE_BOOL);

  EXPECT_TRUE(list->SetSize(5));
  EXPECT_EQ(list->GetType(4), VTYPE_NULL);
  EXPECT_TRUE(list->Remove(0));
  EXPECT_EQ(list->GetType(1), VTYPE_BOOL);
  EXPECT_FALSE(list->Remove(4));
  EXPECT_TRUE(list->SetSize(1));
  EXPECT_EQ(list->GetSize(), 1u);

  EXPECT_FALSE(list->SetInt(CefListValue::kMaxSize, 1));
  EXPECT_FALSE(list->SetSize(CefListValue::kMaxSize + 1));
  EXPECT_FALSE(list->SetList(3, nullptr));
  EXPECT_EQ(list->GetSize(), 1u);
}

TEST(ListValueTest, ContainersAreStoredAsCopiesAndReadBackLive) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  CefRefPtr<CefListValue> child = CefListValue::Create();
  child->SetInt(0, 1);
  list->SetList(0, child);
  child->SetInt(0, 2);
  EXPECT_EQ(list->GetList(0)->GetInt(0), 1);

  list->GetList(0)->SetInt(0, 3);
  EXPECT_EQ(list->GetList(0)->GetInt(0), 3);

  list->SetList(1, list);  // a copy of itself: no cycle
  ASSERT_EQ(list->GetSize(), 2u);
  EXPECT_EQ(list->GetList(1)->GetSize(), 1u);
  EXPECT_EQ(list->GetList(1)->GetList(0)->GetInt(0), 3);

  CefRefPtr<CefListValue> copy = list->Copy();
  copy->GetList(0)->SetInt(0, 9);
  EXPECT_EQ(list->GetList(0)->GetInt(0), 3);
}

TEST(DictionaryValueTest, KeysAreOrderedAndMissingKeysReadEmpty) {
  CefRefPtr<CefDictionaryValue> dictionary = CefDictionaryValue::Create();
  dictionary->SetInt("b", 2);
  dictionary->SetString("a", "x");
  dictionary->SetDouble("b", 2.5);  // replaces
  CefDictionaryValue::KeyList keys;
  ASSERT_TRUE(dictionary->GetKeys(keys));
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0], CefString("a"));
  EXPECT_EQ(keys[1], CefString("b"));
  EXPECT_EQ(dictionary->GetType("b"), VTYPE_DOUBLE);
  EXPECT_EQ(dictionary->GetInt("b"), 0);
  EXPECT_EQ(dictionary->GetType("zz"), VTYPE_INVALID);
  EXPECT_TRUE(dictionary->Remove("a"));
  EXPECT_FALSE(dictionary->Remove("a"));
  EXPECT_FALSE(dictionary->HasKey("a"));
}

TEST(BinaryValueTest, GetDataCopiesWhatExistsFromTheOffset) {
  const std::uint8_t bytes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
  CefRefPtr<CefBinaryValue> binary = CefBinaryValue::Create(bytes, sizeof bytes);
  ASSERT_TRUE(binary);
  std::uint8_t buffer[8] = {};
  EXPECT_EQ(binary->GetData(buffer, 8, 1), 8u);
  EXPECT_EQ(buffer[7], 8);
  std::uint8_t small[8] = {};
  EXPECT_EQ(binary->GetData(small, 8, 6), 3u);
  EXPECT_EQ(small[0], 6);
  EXPECT_EQ(small[3], 0);
  EXPECT_EQ(binary->GetData(small, 8, 9), 0u);
  EXPECT_EQ(binary->GetData(small, 8, SIZE_MAX), 0u);
  EXPECT_EQ(binary->GetData(nullptr, 8, 0), 0u);
  EXPECT_FALSE(CefBinaryValue::Create(nullptr, 3));
  EXPECT_EQ(CefBinaryValue::Create(nullptr, 0)->GetSize(), 0u);
}

TEST(ProcessMessageTest, ArgumentListIsTheMessagesOwn) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("Name");
  message->GetArgumentList()->SetInt(0, 5);
  EXPECT_EQ(message->GetName(), CefString("Name"));
  EXPECT_EQ(message->GetArgumentList()->GetInt(0), 5);
}

}  // namespace
