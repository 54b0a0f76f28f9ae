// The 9-byte packed identifier, byte for byte.
#include "packed_id.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace Kestrun {
namespace {

std::vector<std::uint8_t> PackedBytes(std::int64_t identifier) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  PackId(list, identifier);
  CefRefPtr<CefBinaryValue> packed = list->GetBinary(0);
  EXPECT_TRUE(packed);
  std::vector<std::uint8_t> bytes(packed ? packed->GetSize() : 0);
  if (packed) packed->GetData(bytes.data(), bytes.size(), 0);
  return bytes;
}

TEST(PackedIdTest, ZeroByteThenTheIntegerLowByteFirst) {
  using Bytes = std::vector<std::uint8_t>;
  EXPECT_EQ(PackedBytes(0), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(PackedBytes(1), (Bytes{0, 1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(PackedBytes(-1), (Bytes{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(PackedBytes(INT64_MIN), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0x80}));
  EXPECT_EQ(PackedBytes(0x0102030405060708), (Bytes{0, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(PackedIdTest, ReadsBackWhatWasPackedAndToleratesBadValues) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  for (const std::int64_t identifier : {std::int64_t{0}, std::int64_t{-1}, INT64_MIN, INT64_MAX, std::int64_t{42}}) {
    PackId(list, identifier);
    EXPECT_EQ(ReadPackedId(list), identifier);
  }
  EXPECT_EQ(list->GetSize(), 1u);

  CefRefPtr<CefListValue> empty = CefListValue::Create();
  EXPECT_EQ(ReadPackedId(empty), 0);
  empty->SetString(0, "not binary");
  EXPECT_EQ(ReadPackedId(empty), 0);
  const std::uint8_t short_bytes[] = {0, 0x34, 0x12};
  empty->SetBinary(0, CefBinaryValue::Create(short_bytes, sizeof short_bytes));
  EXPECT_EQ(ReadPackedId(empty), 0x1234);
}

}  // namespace
}  // namespace Kestrun
