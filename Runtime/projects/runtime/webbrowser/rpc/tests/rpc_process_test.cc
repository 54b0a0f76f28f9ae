// Calls between processes, and peers that die at every step of a call.
#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "peer_process.h"
#include "platform/semaphore.h"
#include "platform/stoppable_thread.h"
#include "platform/unicode.h"
#include "rpc_fixture.h"
#include "testing/patience.h"

namespace rpc_test {
namespace {

using platform::Utf16ToUtf8;
using platform::WString;

WString FreshMapping() { return u"Local\\" + UniqueName("proc") + u"_SECTQE_Server"; }

// A server peer: this project's ("server") or the reference server
// ("ref-server").
std::vector<std::string> ServerArgs(const WString& mapping, const std::string& die_at = "", int occurrence = 1,
                                    const std::string& kind = "server") {
  std::vector<std::string> args{kind, Utf16ToUtf8(mapping)};
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

// Registers "gate", a function that waits at `gate` until the test opens
// it, then answers "late".
void RegisterGate(RPCServer::IRPCServer& server, Gate& gate) {
  server.RegisterFunction(u"gate", new FunctionDelegate([&gate](const WString&, const WString&, WString* result,
                                                               WString*) {
                            gate.Pass();
                            *result = u"late";
                            return 0;
                          }));
}

// True once a thread has come to `gate`, within the test's patience.
bool Reached(Gate& gate) {
  platform::WaitOptions bounded;
  bounded.timeout_ms = static_cast<std::uint32_t>(lumarine_testing::PatienceMs());
  return platform::WaitForObject(*gate.reached, bounded) == platform::WaitResult::kSignaled;
}

// Waits for a call made with std::async, within the test's patience. One
// that never ends is failed by stopping the server, so that the test ends.
Outcome Awaited(std::future<Outcome>& call, RPCServer::IRPCServer& server) {
  const bool answered = call.wait_for(lumarine_testing::Patience()) == std::future_status::ready;
  if (!answered) server.Stop();
  EXPECT_TRUE(answered) << "the caller was left waiting";
  return call.get();
}

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
  EXPECT_TRUE(log.WaitUntil([](const RecordingLogger::Lines& lines) { return lines.size() >= 7; },
                            lumarine_testing::Patience()))
      << "the client never came to wait for the reply";
  server.CloseInput();
  caller.join();
  EXPECT_EQ(server.Wait(), 0);
  EXPECT_EQ(outcome.rc, 1);
}

// The server process kills itself as it logs the given step; the call in
// progress must end (never wrongly), and a new server must serve the name.
// The server is this project's or the reference server.
TEST(RpcProcessTest, AServerKilledAtAnyStepNeverHangsOrConfusesItsClient) {
  for (const std::string kind : {"server", "ref-server"}) {
    for (int step = 1; step <= 9; ++step) {
      SCOPED_TRACE(kind + " dies at WB" + std::to_string(step));
      const WString mapping = FreshMapping();
      // Step 1 is logged as each round begins: die as the second begins.
      PeerProcess server(ServerArgs(mapping, "WB" + std::to_string(step) + ".", step == 1 ? 2 : 1, kind));
      ASSERT_EQ(server.ReadLine(), "ready");
      RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
      client.Connect(mapping.c_str(), 0);
      if (step == 1) {
        EXPECT_EQ(CallWith(client, u"echo", u"first").result, WString(u"first"));
      }
      const Outcome outcome = CallWith(client, u"echo", u"x");
      // Dying at step 8, after the reply was signalled, the server may take
      // its reply with it before the client has opened it.
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

      PeerProcess next_server(ServerArgs(mapping, "", 1, kind));
      ASSERT_EQ(next_server.ReadLine(), "ready");
      EXPECT_EQ(CallWith(client, u"echo", u"again").result, WString(u"again"));
    }
  }
}

// A server that dies before it has read a call's request (here, or as the
// call comes) is replaced at once by a new server of the same name, as a
// restarted control's would be: the call, and the next, reach the new one.
// The dying server is this project's or the reference server.
TEST(RpcProcessTest, ACallReachesTheServerThatReplacesADeadOne) {
  for (const std::string kind : {"server", "ref-server"}) {
    for (const std::string die_at : {"", "WB2.", "WB3.", "WB4."}) {
      SCOPED_TRACE(kind + (die_at.empty() ? " killed between calls" : " dies at " + die_at));
      const WString mapping = FreshMapping();
      PeerProcess dying(ServerArgs(mapping, die_at, 2, kind));
      ASSERT_EQ(dying.ReadLine(), "ready");
      RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
      client.Connect(mapping.c_str(), 0);
      ASSERT_EQ(CallWith(client, u"echo", u"first").result, WString(u"first"));
      if (die_at.empty()) dying.Kill();
      auto call = std::async(std::launch::async, [&] { return CallWith(client, u"echo", u"again"); });
      EXPECT_EQ(dying.Wait(), 128 + 9);
      RPCServer::CRPCServer successor(new RPCServer::CFileMappingServerImp());
      RegisterTestFunctions(successor);
      ASSERT_EQ(successor.Start(mapping.c_str(), 0), 0);
      EXPECT_EQ(call.get().result, WString(u"again"));
      EXPECT_EQ(CallWith(client, u"echo", u"then").result, WString(u"then"));
    }
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

// A caller goes (killed, or giving up) while the server runs its function
// or reads its request, and the next caller comes before the server is done
// with that round: the next caller is served once the round ends, and is
// never given the gone caller's reply.
TEST_F(RpcServerTest, ACallerWhoComesWhileAGoneCallersRoundGoesOnIsServedAfterIt) {
  Gate gate;
  RegisterGate(*server_, gate);
  GateAtLine at_read(&gate, u"WB3.");
  server_->SetLogger(&at_read, nullptr);
  RecordingLogger log;
  client_.SetLogger(&log, nullptr);
  client_.Connect(mapping_.c_str(), 0);
  const struct {
    const char* way;
    bool killed;
    bool at_read;  // else in its function
  } cases[] = {
      {"killed in its function", true, false},
      {"gives up in its function", false, false},
      {"gives up as its request is read", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    platform::StoppableThread quitter;
    if (c.killed) {
      PeerProcess doomed({"client", Utf16ToUtf8(mapping_), "gate", "", "WB5.", "1"});
      EXPECT_EQ(doomed.Wait(), 128 + 9);
      EXPECT_TRUE(Reached(gate))
          << "the doomed caller's function never ran";
    } else {
      at_read.armed = c.at_read;
      quitter.Start([&] {
        RPCClient::CRPCClient first(new RPCClient::CFileMappingClient());
        first.Connect(mapping_.c_str(), 0);
        EXPECT_EQ(CallWith(first, u"gate", u"first").rc, 1);
      });
      EXPECT_TRUE(Reached(gate))
          << "the first caller's function never ran";
      quitter.RequestStop();
    }
    const std::size_t logged = log.lines().size();
    auto next = std::async(std::launch::async, [&] { return Call(u"echo", u"next"); });
    // Once the next caller waits for its request to be read, the server goes on.
    const auto waiting = [&](const RecordingLogger::Lines& lines) {
      return std::any_of(lines.begin() + static_cast<std::ptrdiff_t>(logged), lines.end(),
                         [](const WString& line) { return line.substr(0, 4) == u"WB3."; });
    };
    EXPECT_TRUE(log.WaitUntil(waiting, lumarine_testing::Patience())) << "the next caller never came to wait";
    gate.opened->Release();
    EXPECT_EQ(Awaited(next, *server_).result, WString(u"next"));
  }
  EXPECT_EQ(Call(u"echo", u"after").result, WString(u"after"));
  server_.reset();  // before the gate and its logger go (so no ASSERT above)
}

// Another process of the user opens the request before our server does:
// the request is gone for the server (it was made for one reader). The
// caller, waiting for its request to be read, is told at once that its call
// failed, and the next call is served.
TEST_F(RpcServerTest, ARequestThatAnotherProcessOpensFirstFailsItsCallAtOnce) {
  Gate gate;
  GateAtLine before_open(&gate, u"WB2.");
  before_open.armed = true;
  server_->SetLogger(&before_open, nullptr);
  auto call = std::async(std::launch::async, [this] { return Call(u"echo", u"taken"); });
  EXPECT_TRUE(Reached(gate))
      << "the server never came to open the request";
  PeerProcess opener({"open-mapping", Utf16ToUtf8(mapping_)});
  EXPECT_EQ(opener.ReadLine(), "opened");
  gate.opened->Release();
  const Outcome outcome = Awaited(call, *server_);
  EXPECT_EQ(outcome.rc, 1);
  EXPECT_EQ(outcome.result, std::nullopt);
  EXPECT_EQ(outcome.error, std::nullopt);
  EXPECT_EQ(Call(u"echo", u"next").result, WString(u"next"));
  server_.reset();  // before the gate and its logger go (so no ASSERT above)
}

// While our server runs a caller's function, a literal client in another
// process begins a call of its own, making its request under the name the
// reply needs. The caller's call fails at once, and is not handed that
// request as its reply (the server's next round is held until the call
// has ended); the other request is served in the next round, and the
// channel goes on.
TEST_F(RpcServerTest, AMappingMadeUnderTheNameWhileAFunctionRunsFailsThatCallAtOnce) {
  Gate in_function;
  RegisterGate(*server_, in_function);
  Gate next_round;
  GateAtLine before_next_read(&next_round, u"WB2.");
  server_->SetLogger(&before_next_read, nullptr);
  auto call = std::async(std::launch::async, [this] { return Call(u"gate", u""); });
  EXPECT_TRUE(Reached(in_function))
      << "the function never ran";
  before_next_read.armed = true;
  PeerProcess other({"ref-client", Utf16ToUtf8(mapping_), "echo", "other", "WB3.", "tell"});
  EXPECT_EQ(other.ReadLine(), "at WB3.");  // its request is made and signalled
  in_function.opened->Release();
  const Outcome outcome = Awaited(call, *server_);
  EXPECT_EQ(outcome.rc, 1);
  EXPECT_EQ(outcome.result, std::nullopt);
  EXPECT_EQ(outcome.error, std::nullopt);
  next_round.opened->Release();
  const PeerCall served = ReadPeerCall(other);
  EXPECT_EQ(served.rc, "rc=0");
  EXPECT_EQ(served.result, "result=other");
  EXPECT_EQ(Call(u"echo", u"next").result, WString(u"next"));
  server_.reset();  // before the gates and the logger go
}

// As above, but our caller has not yet taken the unit that said its request
// was read when the server fails the call: the unit that says the call
// failed must still reach it, and it is not handed the other request.
TEST_F(RpcServerTest, ACallerNotYetWokenWhenItsReplyLostItsNameStillFails) {
  Gate in_function;
  RegisterGate(*server_, in_function);
  Gate next_round;
  GateAtLine before_next_read(&next_round, u"WB2.");
  server_->SetLogger(&before_next_read, nullptr);
  Gate caller_paused;
  GateAtLine before_read_wait(&caller_paused, u"WB3.");
  before_read_wait.armed = true;
  client_.SetLogger(&before_read_wait, nullptr);
  client_.Connect(mapping_.c_str(), 0);
  auto call = std::async(std::launch::async, [this] { return Call(u"gate", u""); });
  EXPECT_TRUE(Reached(caller_paused)) << "the caller never sent its request";
  EXPECT_TRUE(Reached(in_function)) << "the function never ran";
  before_next_read.armed = true;
  PeerProcess other({"ref-client", Utf16ToUtf8(mapping_), "echo", "other", "WB3.", "tell"});
  EXPECT_EQ(other.ReadLine(), "at WB3.");
  in_function.opened->Release();
  // A server that does not wait for the caller to take the first unit fails
  // the call and comes to its next round at once; one that waits never does
  // before the caller goes on. Only the first is given time to show itself.
  platform::WaitOptions briefly;
  briefly.timeout_ms = 1000;
  platform::WaitForObject(*next_round.reached, briefly);
  caller_paused.opened->Release();
  const Outcome outcome = Awaited(call, *server_);
  EXPECT_EQ(outcome.rc, 1);
  EXPECT_EQ(outcome.result, std::nullopt);
  next_round.opened->Release();
  EXPECT_EQ(ReadPeerCall(other).result, "result=other");
  EXPECT_EQ(Call(u"echo", u"next").result, WString(u"next"));
  server_.reset();  // before the gates and the loggers go
}

}  // namespace
}  // namespace rpc_test
