// The wire format byte for byte, its limits, and reading frames from a socket.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cef_string_printer.h"
#include "cef_values.h"
#include "wire/frame.h"
#include "wire/frame_io.h"
#include "wire/unique_fd.h"
#include "wire/value_codec.h"

namespace cefshim::wire {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Encode(const Frame& frame) {
  std::string error;
  std::optional<Bytes> bytes = EncodeFrame(frame, &error);
  EXPECT_TRUE(bytes) << error;
  return bytes.value_or(Bytes());
}

// Decodes a whole frame as EncodeFrame made it (the prefix is checked too).
std::optional<Frame> DecodeWhole(const Bytes& bytes, std::string* error) {
  EXPECT_GE(bytes.size(), 4u);
  const std::uint32_t length = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24;
  EXPECT_EQ(length, bytes.size() - 4);
  return DecodeFrame(bytes.data() + 4, bytes.size() - 4, error);
}

// A list holding a list ... `depth` lists in all, the innermost empty.
CefRefPtr<CefListValue> Nested(int depth) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  for (int level = 1; level < depth; ++level) {
    CefRefPtr<CefListValue> outer = CefListValue::Create();
    outer->SetList(0, list);
    list = outer;
  }
  return list;
}

// A process message whose argument list holds `list` at index 0.
ProcessMessage MessageHolding(CefRefPtr<CefListValue> list) {
  ProcessMessage frame{1, 2, CefProcessMessage::Create("m")};
  frame.message->GetArgumentList()->SetList(0, list);
  return frame;
}

// The body of a process message whose arguments nest `depth` lists deep.
Bytes NestedMessageBody(int depth) {
  Bytes body = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int level = 1; level < depth; ++level) body.insert(body.end(), {7, 1, 0, 0, 0});
  body.insert(body.end(), {7, 0, 0, 0, 0});
  return body;
}

TEST(WireFormatTest, ProcessMessageByteForByte) {
  ProcessMessage frame{7, -2, CefProcessMessage::Create("ab")};
  CefRefPtr<CefListValue> arguments = frame.message->GetArgumentList();
  arguments->SetNull(0);
  arguments->SetBool(1, true);
  arguments->SetInt(2, -5);
  arguments->SetDouble(3, 1.5);
  arguments->SetString(4, std::u16string(u"\0x", 2));
  const std::uint8_t byte = 0xAA;
  arguments->SetBinary(5, CefBinaryValue::Create(&byte, 1));
  CefRefPtr<CefDictionaryValue> dictionary = CefDictionaryValue::Create();
  dictionary->SetInt("k", 1);
  arguments->SetDictionary(6, dictionary);
  arguments->SetList(7, CefListValue::Create());

  const Bytes expected = {
      0x4F, 0, 0, 0,                                   // length 79
      1,                                               // kind: process message
      7, 0, 0, 0,                                      // browser 7
      0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // frame -2
      2, 0, 0, 0, 'a', 0, 'b', 0,                      // name
      7, 8, 0, 0, 0,                                   // list of 8
      0,                                               // null
      1, 1,                                            // true
      2, 0xFB, 0xFF, 0xFF, 0xFF,                       // -5
      3, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F,                 // 1.5
      4, 2, 0, 0, 0, 0, 0, 'x', 0,                     // "\0x"
      5, 1, 0, 0, 0, 0xAA,                             // binary
      6, 1, 0, 0, 0, 1, 0, 0, 0, 'k', 0, 2, 1, 0, 0, 0,  // {"k": 1}
      7, 0, 0, 0, 0,                                   // []
  };
  EXPECT_EQ(Encode(frame), expected);

  std::string error;
  std::optional<Frame> decoded = DecodeWhole(expected, &error);
  ASSERT_TRUE(decoded) << error;
  const auto& message = std::get<ProcessMessage>(*decoded);
  EXPECT_EQ(message.browser_id, 7);
  EXPECT_EQ(message.frame_id, -2);
  EXPECT_EQ(message.message->GetName(), CefString("ab"));
  CefRefPtr<CefListValue> read = message.message->GetArgumentList();
  ASSERT_EQ(read->GetSize(), 8u);
  EXPECT_EQ(read->GetType(0), VTYPE_NULL);
  EXPECT_TRUE(read->GetBool(1));
  EXPECT_EQ(read->GetInt(2), -5);
  EXPECT_EQ(read->GetDouble(3), 1.5);
  EXPECT_EQ(read->GetString(4).ToString16(), std::u16string(u"\0x", 2));
  EXPECT_EQ(read->GetBinary(5)->GetSize(), 1u);
  EXPECT_EQ(read->GetDictionary(6)->GetInt("k"), 1);
  EXPECT_EQ(read->GetList(7)->GetSize(), 0u);
}

TEST(WireFormatTest, ControlFramesByteForByte) {
  EXPECT_EQ(Encode(CreateBrowser{1, 0x0102030405060708}),
            (Bytes{13, 0, 0, 0, 2, 1, 0, 0, 0, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(Encode(DetachFrame{-1, 5}), (Bytes{13, 0, 0, 0, 4, 0xFF, 0xFF, 0xFF, 0xFF, 5, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Encode(DestroyBrowser{3}), (Bytes{5, 0, 0, 0, 5, 3, 0, 0, 0}));
  EXPECT_EQ(Encode(LoadPage{2, 6, true, u"u", u"s;"}),
            (Bytes{28, 0, 0, 0, 3, 2, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 1,  // browser, frame, main
                   1, 0, 0, 0, 'u', 0, 2, 0, 0, 0, 's', 0, ';', 0}));

  std::string error;
  const std::optional<Frame> decoded = DecodeWhole(Encode(CreateBrowser{9, -7}), &error);
  ASSERT_TRUE(decoded) << error;
  EXPECT_EQ(std::get<CreateBrowser>(*decoded).browser_id, 9);
  EXPECT_EQ(std::get<CreateBrowser>(*decoded).main_frame_id, -7);

  const std::optional<Frame> page = DecodeWhole(Encode(LoadPage{4, 44, false, u"https://x.test/", u"f();"}), &error);
  ASSERT_TRUE(page) << error;
  const auto& load = std::get<LoadPage>(*page);
  EXPECT_EQ(load.frame_id, 44);
  EXPECT_FALSE(load.is_main);
  EXPECT_EQ(load.url, u"https://x.test/");
  EXPECT_EQ(load.script, u"f();");
}

TEST(WireFormatTest, LoneSurrogatesAndNulsSurviveARoundTrip) {
  const std::u16string units = {0xDC00, 0, 0xD83D, 0xDE00, 0xD800};
  ProcessMessage frame{1, 1, CefProcessMessage::Create(units)};
  frame.message->GetArgumentList()->SetString(0, units);
  std::string error;
  const std::optional<Frame> decoded = DecodeWhole(Encode(frame), &error);
  ASSERT_TRUE(decoded) << error;
  const auto& message = std::get<ProcessMessage>(*decoded).message;
  EXPECT_EQ(message->GetName().ToString16(), units);
  EXPECT_EQ(message->GetArgumentList()->GetString(0).ToString16(), units);
}

TEST(WireFormatTest, MalformedBodiesAreRejectedWithAReason) {
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"empty", {}},
      {"kind 0", {0}},
      {"short load page", {3, 1, 0, 0, 0}},
      {"main-frame flag of 2", {3, 1, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"kind 9", {9}},
      {"short create browser", {2, 1, 0, 0, 0}},
      {"trailing byte", {5, 1, 0, 0, 0, 0}},
      {"arguments not a list", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0}},
      {"bool of 2", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 1, 0, 0, 0, 1, 2}},
      {"unknown tag", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 1, 0, 0, 0, 8}},
      {"string beyond the end", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 1, 0, 0, 0, 4, 9, 0, 0, 0, 'a', 0}},
      {"huge list count", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"huge binary count", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 1, 0, 0, 0, 5, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"cut dictionary key", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 1, 0, 0, 0, 6, 1, 0, 0, 0, 5, 0}},
      {"name beyond the end", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}},
  };
  for (const auto& [what, body] : cases) {
    std::string error;
    EXPECT_FALSE(DecodeFrame(body.data(), body.size(), &error)) << what;
    EXPECT_FALSE(error.empty()) << what;
  }
}

TEST(WireFormatTest, NestingIsLimitedBothWays) {
  std::string error;
  // The argument list itself is the first level.
  EXPECT_TRUE(DecodeWhole(Encode(MessageHolding(Nested(kMaxValueDepth - 1))), &error)) << error;
  EXPECT_FALSE(EncodeFrame(MessageHolding(Nested(kMaxValueDepth)), &error));
  EXPECT_NE(error.find("nested"), std::string::npos);

  const Bytes at_limit = NestedMessageBody(kMaxValueDepth);
  EXPECT_TRUE(DecodeFrame(at_limit.data(), at_limit.size(), &error)) << error;
  const Bytes too_deep = NestedMessageBody(kMaxValueDepth + 1);
  EXPECT_FALSE(DecodeFrame(too_deep.data(), too_deep.size(), &error));
}

TEST(WireFormatTest, AFrameAboveTheLengthLimitCannotBeEncoded) {
  ProcessMessage frame{1, 1, CefProcessMessage::Create("big")};
  const std::vector<std::uint8_t> payload(kMaxFrameLength);
  frame.message->GetArgumentList()->SetBinary(0, CefBinaryValue::Create(payload.data(), payload.size()));
  std::string error;
  EXPECT_FALSE(EncodeFrame(frame, &error));
  EXPECT_NE(error.find("exceeds"), std::string::npos);
}

class FrameIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    reader_.reset(fds[0]);
    writer_.reset(fds[1]);
  }
  // Writes `bytes`, closes the writing end, and reads one frame.
  ReadStatus WriteCloseRead(const Bytes& bytes, std::string* error) {
    EXPECT_EQ(::write(writer_.get(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    writer_.reset();
    return ReadFrame(reader_.get(), &body_, error);
  }

  UniqueFd reader_;
  UniqueFd writer_;
  Bytes body_;
};

TEST_F(FrameIoTest, ReadsFramesUntilTheEnd) {
  Bytes two = Encode(DestroyBrowser{1});
  const Bytes second = Encode(CreateBrowser{2, 3});
  two.insert(two.end(), second.begin(), second.end());
  std::string error;
  ASSERT_EQ(WriteCloseRead(two, &error), ReadStatus::kFrame) << error;
  EXPECT_EQ(body_, Bytes(two.begin() + 4, two.begin() + 9));
  ASSERT_EQ(ReadFrame(reader_.get(), &body_, &error), ReadStatus::kFrame) << error;
  EXPECT_EQ(body_[0], kKindCreateBrowser);
  EXPECT_EQ(ReadFrame(reader_.get(), &body_, &error), ReadStatus::kEnd);
}

TEST_F(FrameIoTest, BadLengthsAndCutFramesAreErrors) {
  std::string error;
  EXPECT_EQ(WriteCloseRead({0, 0, 0, 0}, &error), ReadStatus::kError);
  EXPECT_NE(error.find("length 0"), std::string::npos);
  SetUp();
  EXPECT_EQ(WriteCloseRead({1, 0, 0, 4, 1}, &error), ReadStatus::kError);  // 64 MiB + 1
  EXPECT_NE(error.find("length 67108865"), std::string::npos);
  SetUp();
  EXPECT_EQ(WriteCloseRead({5, 0}, &error), ReadStatus::kError);
  EXPECT_NE(error.find("length"), std::string::npos);
  SetUp();
  EXPECT_EQ(WriteCloseRead({5, 0, 0, 0, 5, 1}, &error), ReadStatus::kError);
  EXPECT_NE(error.find("inside a frame"), std::string::npos);
}

TEST_F(FrameIoTest, WriterFailsQuietlyWhenClosedOrThePeerIsGone) {
  FrameWriter writer(writer_.get());
  const Bytes frame = Encode(DestroyBrowser{1});
  EXPECT_TRUE(writer.Write(frame));
  reader_.reset();
  EXPECT_FALSE(writer.Write(frame));  // EPIPE, and no SIGPIPE
  FrameWriter closed(writer_.get());
  closed.Close();
  EXPECT_FALSE(closed.Write(frame));
}

}  // namespace
}  // namespace cefshim::wire
