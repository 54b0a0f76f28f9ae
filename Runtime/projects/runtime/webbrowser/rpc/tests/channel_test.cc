// The channel's names and texts, byte for byte.
#include <cstring>
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

TEST(ChannelTextTest, TheRequestIsFunctionColonParametersAndATerminator) {
  const char16_t expected[] = u"fn:p:q";
  EXPECT_EQ(RPCChannel::RequestSize(u"fn", u"p:q"), sizeof expected);
  const std::string_view bytes = RPCChannel::Bytes(u"fn:p:q");
  ASSERT_EQ(bytes.size(), sizeof expected - 2);
  EXPECT_EQ(std::memcmp(bytes.data(), expected, bytes.size()), 0);

  std::vector<char16_t> view(std::begin(expected), std::end(expected));
  view.push_back(u'x');  // beyond the terminator: left alone
  const RPCChannel::Request request = RPCChannel::TakeRequest(view.data(), view.size() * 2);
  EXPECT_EQ(request.function, u"fn");
  EXPECT_EQ(request.parameters, u"p:q");
  std::vector<char16_t> consumed(std::size(expected), 0);
  consumed.push_back(u'x');
  EXPECT_EQ(view, consumed);
}

TEST(ChannelTextTest, RequestsAreSplitAtTheFirstColonAndReadWithinTheView) {
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
    std::vector<char16_t> view(c.text.begin(), c.text.end());
    view.push_back(0);
    const auto request = RPCChannel::TakeRequest(view.data(), view.size() * 2);
    EXPECT_EQ(request.function, c.function);
    EXPECT_EQ(request.parameters, c.parameters);
  }
  // A peer's text without a terminator ends with the mapping.
  std::vector<char16_t> unterminated = {u'a', u':', u'b'};
  const auto request = RPCChannel::TakeRequest(unterminated.data(), unterminated.size() * 2 + 1);
  EXPECT_EQ(request.parameters, u"b");
}

TEST(ChannelTextTest, TheReplyTravelsWithoutTerminatorAndIsClassifiedByItsOpening) {
  const WString reply = u"r\u00e9sultat";
  const std::size_t size = RPCChannel::ReplySize(reply);
  ASSERT_EQ(size, reply.size() * 2 + 4);
  std::vector<char16_t> view(size / 2, 0);  // a fresh mapping is zero-filled
  const std::string_view bytes = RPCChannel::Bytes(reply);
  ASSERT_EQ(bytes.size(), reply.size() * 2);
  std::memcpy(view.data(), bytes.data(), bytes.size());
  EXPECT_EQ(RPCChannel::TextInView(view.data(), size), reply);
  // A text that no zero ends inside the mapping has no length: not read.
  EXPECT_EQ(RPCChannel::TextInView(view.data(), 4), std::nullopt);
  EXPECT_EQ(RPCChannel::TextInView(view.data(), 5), std::nullopt);
  EXPECT_EQ(RPCChannel::TextInView(view.data(), size - 1), reply);

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
