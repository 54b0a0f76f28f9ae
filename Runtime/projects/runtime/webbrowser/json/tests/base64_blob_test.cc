// Blobs coded as base64 text in the scratch buffer.
#include "base64_blob.h"

#include <gtest/gtest.h>

#include <string>

#include "tqjson/json_codes.h"

namespace TQJSON {
namespace {

TEST(Base64Blob, RoundTripsBeyondTheInitialScratchSize) {
  ScratchBuffer scratch;
  std::string bytes;
  for (int i = 0; i < 2000; ++i) bytes += static_cast<char>(i * 7);
  const char16_t* text = nullptr;
  ASSERT_EQ(EncodeBase64Blob(scratch, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &text), kJsonSuccess);
  const std::u16string encoded(text);
  EXPECT_EQ(encoded.size(), 2668u);  // one line, padded
  EXPECT_EQ(encoded.find(u'\n'), std::u16string::npos);
  EXPECT_GE(scratch.size(), 2 * (encoded.size() + 1));

  ScratchBuffer other;
  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
  ASSERT_EQ(DecodeBase64Blob(other, encoded.c_str(), &data, &size), kJsonSuccess);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), bytes);
  EXPECT_EQ(other.size(), 2000u);
}

TEST(Base64Blob, KnownTextsAndTheZeroFilledScratch) {
  ScratchBuffer scratch;
  const char16_t* text = nullptr;
  ASSERT_EQ(EncodeBase64Blob(scratch, "hello", 5, &text), kJsonSuccess);
  EXPECT_EQ(std::u16string(text), u"aGVsbG8=");
  ASSERT_EQ(EncodeBase64Blob(scratch, "", 0, &text), kJsonSuccess);
  EXPECT_EQ(std::u16string(text), u"");

  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
  ASSERT_EQ(DecodeBase64Blob(scratch, std::u16string(1000, u'/').c_str(), &data, &size), kJsonSuccess);
  ASSERT_EQ(DecodeBase64Blob(scratch, u"QUJD", &data, &size), kJsonSuccess);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 3), "ABC");
  // The rest of the grown buffer was cleared, not left from the last blob.
  EXPECT_EQ(scratch.size(), 750u);
  EXPECT_EQ(data[3], 0);
  EXPECT_EQ(data[749], 0);
}

TEST(Base64Blob, RefusesNullArgumentsAndTextOutsideTheAlphabet) {
  ScratchBuffer scratch;
  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
  const char16_t* text = nullptr;
  EXPECT_EQ(DecodeBase64Blob(scratch, nullptr, &data, &size), JSONFUN_FAILED);
  EXPECT_EQ(DecodeBase64Blob(scratch, u"QUJD", nullptr, &size), JSONFUN_FAILED);
  EXPECT_EQ(DecodeBase64Blob(scratch, u"QU*D", &data, &size), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(DecodeBase64Blob(scratch, u"Q", &data, &size), JSONFUN_TYPE_ERROR);
  EXPECT_EQ(EncodeBase64Blob(scratch, nullptr, 3, &text), JSONFUN_FAILED);
  EXPECT_EQ(EncodeBase64Blob(scratch, "abc", 3, nullptr), JSONFUN_FAILED);
}

}  // namespace
}  // namespace TQJSON
