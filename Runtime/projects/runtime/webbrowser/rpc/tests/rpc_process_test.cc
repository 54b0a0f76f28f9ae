// Calls between processes, and peers that die at every step of a call.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "peer_process.h"
#include "platform/unicode.h"
#include "rpc_fixture.h"

namespace rpc_test {
namespace {

using platform::Utf16ToUtf8;
using platform::WString;

WString FreshMapping() { return u"Local\\" + UniqueName("proc") + u"_SECTQE_Server"; }

std::vector<std::string> ServerArgs(const WString& mapping, const std::string& die_at = "", int occurrence = 1) {
  std::vector<std::string> args{"server", Utf16ToUtf8(mapping)};
  if (!die_at.empty()) {
    args.push_back(die_at);
    args.push_back(std::to_string(occurrence));
  }
  return args;
}

// The three lines a "client" peer prints.
struct PeerCall {
  std::optional<std::string> rc, result, error;
};

PeerCall ReadPeerCall(PeerProcess& peer) { return PeerCall{peer.ReadLine(), peer.ReadLine(), peer.ReadLine()}; }

TEST(RpcProcessTest, AServerInAnotherProcessAnswers) {
  const WString mapping = FreshMapping();
  PeerProcess server(ServerArgs(mapping));
  ASSERT_EQ(server.ReadLine(), "ready");
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(mapping.c_str(), 0);
  EXPECT_EQ(CallWith(client, u"echo", u"over:there").result, WString(u"over:there"));
  EXPECT_EQ(CallWith(client, u"fail", u"{\"type\":\"error\",\"value\":1}").error,
            WString(u"{\"type\":\"error\",\"value\":1}"));
  const WString big(1 << 20, u'\u4e2d');
  EXPECT_EQ(CallWith(client, u"echo", big.c_str()).result, big);

  server.CloseInput();  // the peer stops its server and ends
  EXPECT_EQ(server.Wait(), 0);
  EXPECT_EQ(CallWith(client, u"echo", u"x").rc, 1);
}

TEST_F(RpcServerTest, AClientInAnotherProcessIsAnswered) {
  PeerProcess client({"client", Utf16ToUtf8(mapping_), "echo", "from afar"});
  const PeerCall call = ReadPeerCall(client);
  EXPECT_EQ(call.rc, "rc=0");
  EXPECT_EQ(call.result, "result=from afar");
  EXPECT_EQ(call.error, "error=(null)");
  EXPECT_EQ(client.Wait(), 0);
}

TEST_F(RpcServerTest, ClientsInSeveralProcessesAreServedOneAtATime) {
  std::vector<std::unique_ptr<PeerProcess>> peers;
  for (int p = 0; p < 3; ++p) {
    peers.push_back(std::make_unique<PeerProcess>(
        std::vector<std::string>{"calls", Utf16ToUtf8(mapping_), "80", "peer" + std::to_string(p)}));
  }
  for (int i = 0; i < 80; ++i) {
    const WString sent = UniqueName("here-");
    ASSERT_EQ(Call(u"echo", sent.c_str()).result, sent);
  }
  for (auto& peer : peers) EXPECT_EQ(peer->ReadLine(), "ok");
}

TEST_F(RpcServerTest, StoppingAServerInAnotherProcessFailsTheCallInProgress) {
  const WString mapping = FreshMapping();
  PeerProcess server(ServerArgs(mapping));
  ASSERT_EQ(server.ReadLine(), "ready");
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(mapping.c_str(), 0);
  RecordingLogger log;
  client.SetLogger(&log, nullptr);
  client.Connect(mapping.c_str(), 0);
  Outcome outcome;
  std::thread caller([&] { outcome = CallWith(client, u"slow", u"600000"); });
  // Once the client waits for the reply, the server is told to stop.
  for (int i = 0; i < 6000 && log.lines().size() < 7; ++i) platform::SleepUnlessStopped(5);
  server.CloseInput();
  caller.join();
  EXPECT_EQ(server.Wait(), 0);
  EXPECT_EQ(outcome.rc, 1);
}

// The server process kills itself as it logs the given step; the call in
// progress must end (never wrongly), and a new server must serve the name.
TEST(RpcProcessTest, AServerKilledAtAnyStepNeverHangsOrConfusesItsClient) {
  for (int step = 1; step <= 9; ++step) {
    SCOPED_TRACE("server dies at WB" + std::to_string(step));
    const WString mapping = FreshMapping();
    // Step 1 is logged as each round begins: die as the second begins.
    PeerProcess server(ServerArgs(mapping, "WB" + std::to_string(step) + ".", step == 1 ? 2 : 1));
    ASSERT_EQ(server.ReadLine(), "ready");
    RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
    client.Connect(mapping.c_str(), 0);
    if (step == 1) {
      EXPECT_EQ(CallWith(client, u"echo", u"first").result, WString(u"first"));
    }
    const Outcome outcome = CallWith(client, u"echo", u"x");
    if (step <= 7) {
      EXPECT_EQ(outcome.rc, 1);
    }
    if (step == 9) {
      EXPECT_EQ(outcome.rc, 0);
    }
    if (outcome.rc == 0) {
      EXPECT_EQ(outcome.result, WString(u"x"));
    }
    EXPECT_EQ(server.Wait(), 128 + 9);

    PeerProcess next_server(ServerArgs(mapping));
    ASSERT_EQ(next_server.ReadLine(), "ready");
    EXPECT_EQ(CallWith(client, u"echo", u"again").result, WString(u"again"));
  }
}

// The client process kills itself as it logs the given step; the server
// must go on to serve the next call correctly.
TEST_F(RpcServerTest, AClientKilledAtAnyStepLeavesTheServerServing) {
  for (int step = 1; step <= 8; ++step) {
    SCOPED_TRACE("client dies at WB" + std::to_string(step));
    PeerProcess client({"client", Utf16ToUtf8(mapping_), "echo", "doomed", "WB" + std::to_string(step) + ".", "1"});
    EXPECT_EQ(client.Wait(), 128 + 9);
    const WString sent = UniqueName("after-");
    EXPECT_EQ(Call(u"echo", sent.c_str()).result, sent);
  }
  EXPECT_EQ(implementation_->IsFinished(), 0);
}

}  // namespace
}  // namespace rpc_test
