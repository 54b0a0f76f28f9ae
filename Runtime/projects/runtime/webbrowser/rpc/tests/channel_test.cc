// The channel's names and texts, byte for byte.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "channel_names.h"
#include "channel_text.h"

namespace rpc_test {
namespace {

using platform::WString;

TEST(ChannelNamesTest, SemaphoreNamesComeFromTheMappingName) {
  const RPCChannel::ChannelNames names(u"Local\\abc_SECJS_Server");
  EXPECT_EQ(names.mapping, u"Local\\abc_SECJS_Server");
  EXPECT_EQ(names.server1, u"abc_SECJS_ServerSemaphore1");
  EXPECT_EQ(names.server2, u"abc_SECJS_ServerSemaphore2");
  EXPECT_EQ(names.client1, u"abc_SECJS_ClientSemaphore1");
  EXPECT_EQ(names.client2, u"abc_SECJS_ClientSemaphore2");

  EXPECT_EQ(RPCChannel::SemaphoreStem(u"Local\\_SECTQE_Server"), u"_SECTQE_");
  EXPECT_EQ(RPCChannel::SemaphoreStem(u"abcdefgh"), u"ab");       // no backslash
  EXPECT_EQ(RPCChannel::SemaphoreStem(u"a\\b\\cdefghi"), u"b\\c");  // the first one counts
  EXPECT_EQ(RPCChannel::SemaphoreStem(u"Local\\short"), u"");
  EXPECT_EQ(RPCChannel::SemaphoreStem(u""), u"");
}

// A mapping's bytes as ReadText reads them; `readable` of them are there
// (a peer may have shrunk the file under the size it had).
struct MappingBytes {
  std::string_view bytes;
  std::size_t readable = std::string_view::npos;

  std::optional<RPCChannel::MappingText> Read() const {
    return RPCChannel::ReadText(bytes.size(), [this](std::uint64_t offset, void* out, std::size_t length) {
      return Copy(offset, out, length);
    });
  }

  std::ptrdiff_t Copy(std::uint64_t offset, void* out, std::size_t length) const {
    const std::size_t end = std::min({bytes.size(), readable, static_cast<std::size_t>(offset) + length});
    const std::size_t copied = end > offset ? end - static_cast<std::size_t>(offset) : 0;
    std::memcpy(out, bytes.data() + offset, copied);
    return static_cast<std::ptrdiff_t>(copied);
  }
};

std::string_view BytesOf(const std::vector<char16_t>& units) {
  return std::string_view(reinterpret_cast<const char*>(units.data()), units.size() * 2);
}

TEST(ChannelTextTest, TheRequestIsFunctionColonParametersAndATerminator) {
  const char16_t expected[] = u"fn:p:q";
  EXPECT_EQ(RPCChannel::RequestSize(u"fn", u"p:q"), sizeof expected);
  const std::string_view bytes = RPCChannel::Bytes(u"fn:p:q");
  ASSERT_EQ(bytes.size(), sizeof expected - 2);
  EXPECT_EQ(std::memcmp(bytes.data(), expected, bytes.size()), 0);

  std::vector<char16_t> view(std::begin(expected), std::end(expected));
  view.push_back(u'x');  // beyond the terminator: neither read nor consumed
  const auto read = MappingBytes{BytesOf(view)}.Read();
  ASSERT_TRUE(read.has_value());
  EXPECT_TRUE(read->terminated);
  EXPECT_EQ(RPCChannel::ConsumedBytes(*read), sizeof expected);
  const RPCChannel::Request request = RPCChannel::SplitRequest(read->units);
  EXPECT_EQ(request.function, u"fn");
  EXPECT_EQ(request.parameters, u"p:q");
}

TEST(ChannelTextTest, RequestsAreSplitAtTheFirstColon) {
  struct Case {
    WString text;
    WString function;
    WString parameters;
  };
  const std::vector<Case> cases = {
      {u"f:", u"f", u""},
      {u":p", u"", u"p"},
      {u"nocolon", u"nocolon", u"nocolon"},
      {u"", u"", u""},
      {u"a::b", u"a", u":b"},
  };
  for (const auto& c : cases) {
    const auto request = RPCChannel::SplitRequest(c.text);
    EXPECT_EQ(request.function, c.function);
    EXPECT_EQ(request.parameters, c.parameters);
  }
}

TEST(ChannelTextTest, ATextIsReadUpToItsFirstZeroWithinTheMapping) {
  // Longer than a chunk: found in one pass, read in another.
  std::vector<char16_t> units(100000, u'\u00e9');
  units.push_back(0);
  units.push_back(u'x');
  const auto long_text = MappingBytes{BytesOf(units)}.Read();
  ASSERT_TRUE(long_text.has_value());
  EXPECT_TRUE(long_text->terminated);
  EXPECT_EQ(long_text->units, WString(100000, u'\u00e9'));
  EXPECT_EQ(RPCChannel::ConsumedBytes(*long_text), 100001u * 2);
  // No zero before the mapping ends (an odd last byte is part of no unit),
  // or before a file shrunk under its size ends: no text, and nothing read.
  const std::vector<char16_t> unterminated = {u'a', u':', u'b'};
  const std::string whole(BytesOf(unterminated));
  auto read = MappingBytes{whole + 'z'}.Read();
  ASSERT_TRUE(read.has_value());
  EXPECT_FALSE(read->terminated);
  EXPECT_EQ(read->units, u"");
  read = MappingBytes{whole, 3}.Read();
  ASSERT_TRUE(read.has_value());
  EXPECT_FALSE(read->terminated);
  EXPECT_EQ(read->units, u"");
  // A read that fails fails the text.
  EXPECT_FALSE(RPCChannel::ReadText(whole.size(), [](std::uint64_t, void*, std::size_t) -> std::ptrdiff_t {
    return -1;
  }).has_value());
}

// The text's end is found in one pass and the text read in a second: a
// peer that shrinks the mapping in between leaves no text to hand on, not
// the part of it that is still there.
TEST(ChannelTextTest, AMappingThatShrinksBetweenTheTwoPassesGivesNoText) {
  std::vector<char16_t> units(100000, u'a');
  units.push_back(0);
  MappingBytes mapping{BytesOf(units)};
  bool scanning = false;
  const auto read = RPCChannel::ReadText(mapping.bytes.size(), [&](std::uint64_t offset, void* out, std::size_t length) {
    if (offset == 0 && scanning) mapping.readable = 1000;  // back at the start: the peer has cut the mapping
    scanning = true;
    return mapping.Copy(offset, out, length);
  });
  EXPECT_FALSE(read.has_value()) << read->units.size() << " units";
}

TEST(ChannelTextTest, TheReplyTravelsWithoutTerminatorAndIsClassifiedByItsOpening) {
  const WString reply = u"r\u00e9sultat";
  const std::size_t size = RPCChannel::ReplySize(reply);
  ASSERT_EQ(size, reply.size() * 2 + 4);
  std::vector<char16_t> view(size / 2, 0);  // a fresh mapping is zero-filled
  const std::string_view bytes = RPCChannel::Bytes(reply);
  ASSERT_EQ(bytes.size(), reply.size() * 2);
  std::memcpy(view.data(), bytes.data(), bytes.size());
  const auto read = MappingBytes{BytesOf(view)}.Read();
  ASSERT_TRUE(read.has_value());
  EXPECT_TRUE(read->terminated);
  EXPECT_EQ(read->units, reply);

  EXPECT_TRUE(RPCChannel::IsErrorReply(u"{\"type\":\"error\",\"value\":\"x\"}"));
  EXPECT_TRUE(RPCChannel::IsErrorReply(u"{\"type\":\"error\""));
  EXPECT_TRUE(RPCChannel::IsErrorReply(u"{\"type\":\"error\"anything"));  // only 15 characters count
  EXPECT_FALSE(RPCChannel::IsErrorReply(u"{\"type\":\"errors\"}"));
  EXPECT_FALSE(RPCChannel::IsErrorReply(u"{\"type\": \"error\"}"));
  EXPECT_FALSE(RPCChannel::IsErrorReply(u"{\"type\":\"erro"));
  EXPECT_FALSE(RPCChannel::IsErrorReply(u"{\"type\":\"string\",\"value\":\"error\"}"));
}

}  // namespace
}  // namespace rpc_test
