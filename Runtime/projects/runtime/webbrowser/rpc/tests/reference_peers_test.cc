// This project's client and server, each paired with a peer written step
// for step from the channel's description (reference_client.h,
// reference_server.h): what a program outside the project that follows
// the channel sees of them.
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "peak_memory.h"
#include "peer_process.h"
#include "platform/named_mutex.h"
#include "platform/stoppable_thread.h"
#include "platform/unicode.h"
#include "reference_client.h"
#include "reference_server.h"
#include "rpc_fixture.h"
#include "testing/patience.h"

namespace rpc_test {
namespace {

using platform::Utf16ToUtf8;
using platform::WString;

const WString kErrorObject = u"{\"type\":\"error\",\"value\":\"refused\"}";

// Call i of a series: texts of changing length, so that requests and
// replies of neighbouring calls differ in size both ways.
WString Text(int i) { return u"call " + platform::Utf8ToUtf16(std::to_string(i)) + WString(i % 37, u'\u00e9'); }

// Call i: "echo" (a reply shorter than its request) or "double" (longer).
const char16_t* Function(int i) { return i % 2 == 0 ? u"echo" : u"double"; }
WString Answer(int i) { return i % 2 == 0 ? Text(i) : Text(i) + Text(i); }

// A text for a failure message: its start and its length.
std::string Shown(const std::optional<WString>& text) {
  if (!text) return "(null)";
  return Utf16ToUtf8(text->substr(0, 40)) + (text->size() > 40 ? "... (" + std::to_string(text->size()) + ")" : "");
}

// The cases of every kind of reply, for one client or the other.
template <typename CallFunction>
void ExpectEveryKindOfReply(CallFunction call) {
  struct Case {
    const char16_t* function;
    WString parameters;
    std::optional<WString> result;
    std::optional<WString> error;
  } const cases[] = {
      {u"echo", WString(1 << 16, u'\u4e2d'), WString(1 << 16, u'\u4e2d'), std::nullopt},
      {u"echo", u"a:b::c \u53c2\u6570 \U0001F600", WString(u"a:b::c \u53c2\u6570 \U0001F600"), std::nullopt},
      {u"fail", kErrorObject, std::nullopt, kErrorObject},               // an error reply
      {u"fail", u"plain words", WString(u"plain words"), std::nullopt},  // only its opening makes an error
      {u"echo", u"", std::nullopt, std::nullopt},                        // an empty reply
      {u"nothing", u"x", std::nullopt, std::nullopt},                    // no texts at all
      {u"unknown", u"x", std::nullopt, std::nullopt},                    // no such function
      {u"both", u"", WString(u"R"), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.function) + "(" + Utf16ToUtf8(c.parameters.substr(0, 20)) + ")");
    const Outcome outcome = call(c.function, c.parameters);
    EXPECT_EQ(outcome.rc, 0);
    EXPECT_TRUE(outcome.result == c.result) << Shown(outcome.result);
    EXPECT_TRUE(outcome.error == c.error) << Shown(outcome.error);
  }
}

// A reference server of the test functions on a thread of this process,
// and this project's client aimed at it.
class ReferenceServerTest : public ::testing::Test {
 protected:
  void SetUp() override { StartServer(nullptr); }

  // Starts a reference server, set up by `configure` (if any) before it serves.
  void StartServer(const std::function<void(reference::Server&)>& configure) {
    mapping_ = u"Local\\" + UniqueName("ref") + u"_SECTQE_Server";
    server_ = std::make_unique<reference::Server>(mapping_, &ready_);
    RegisterTestFunctions(
        [this](const platform::WChar* name, IRPCFunDelegate* delegate) { server_->RegisterFunction(name, delegate); });
    if (configure) configure(*server_);
    thread_ = std::make_unique<platform::StoppableThread>();
    ASSERT_TRUE(thread_->Start([this] { server_->Serve(); }));
    ASSERT_TRUE(ready_.Wait());  // its first round has made its semaphores
    client_.Connect(mapping_.c_str(), 0);
  }

  void TearDown() override { thread_.reset(); }  // stops the server before it goes

  Outcome Call(const platform::WChar* function, const WString& parameters) {
    return CallWith(client_, function, parameters.c_str());
  }

  WString mapping_;
  LineSignal ready_{u"WB1."};
  std::unique_ptr<reference::Server> server_;
  std::unique_ptr<platform::StoppableThread> thread_;
  RPCClient::CRPCClient client_{new RPCClient::CFileMappingClient()};
};

TEST_F(ReferenceServerTest, OurClientMakesHundredsOfCallsInARow) {
  for (int i = 0; i < 400; ++i) {
    const Outcome outcome = Call(Function(i), Text(i));
    ASSERT_EQ(outcome.rc, 0) << "call " << i;
    ASSERT_TRUE(outcome.result == Answer(i)) << "call " << i << ": " << Shown(outcome.result);
  }
}

// The server makes its reply with create-or-open straight after it has
// signalled that it read the request, while our client may not have closed
// that request yet: replies larger than the request's pages arrive whole.
TEST_F(ReferenceServerTest, RepliesLargerThanTheRequestArriveWholeCallAfterCall) {
  const std::size_t reply_units[] = {2050, 65536, 1000000};
  for (int i = 0; i < 500; ++i) {
    const std::size_t units = reply_units[i % 3];
    WString half = Text(i);
    half.resize(units / 2, static_cast<char16_t>(u'a' + i % 26));
    const Outcome outcome = Call(u"double", half);
    ASSERT_EQ(outcome.rc, 0) << "call " << i << " of " << units << " units";
    ASSERT_TRUE(outcome.result == half + half) << "call " << i << ": " << Shown(outcome.result);
  }
}

TEST_F(ReferenceServerTest, EveryKindOfReplyReachesOurClient) {
  ExpectEveryKindOfReply(
      [this](const char16_t* function, const WString& parameters) { return Call(function, parameters); });
}

TEST_F(ReferenceServerTest, OurClientsInSeveralThreadsAndProcessesTakeTurns) {
  std::vector<std::unique_ptr<PeerProcess>> peers;
  for (int p = 0; p < 2; ++p) {
    peers.push_back(std::make_unique<PeerProcess>(
        std::vector<std::string>{"calls", Utf16ToUtf8(mapping_), "60", "peer" + std::to_string(p)}));
  }
  std::vector<std::thread> threads;
  std::vector<std::string> failures[3];
  for (int t = 0; t < 3; ++t) {
    threads.emplace_back([&, t] {
      RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
      client.Connect(mapping_.c_str(), 0);
      for (int i = 0; i < 60; ++i) {
        const int n = t * 100 + i;
        const Outcome outcome = CallWith(client, Function(n), Text(n).c_str());
        if (outcome.rc != 0 || outcome.result != Answer(n)) failures[t].push_back(std::to_string(n));
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (const auto& failed : failures) EXPECT_EQ(failed, std::vector<std::string>());
  for (auto& peer : peers) EXPECT_EQ(peer->ReadLine(), "ok");
}

// A reply that fills its mapping leaves the client no end to read to. The
// call fails, but the server, waiting for the reply to be taken, is let go
// on to serve the next call.
TEST_F(ReferenceServerTest, AReplyThatCannotBeReadFailsTheCallIsTracedAndEndsTheServersRound) {
  thread_.reset();
  StartServer([](reference::Server& server) {
    server.set_reply_writer([](void* view, std::size_t size, platform::WStringView text) {
      if (text != u"unreadable") return reference::CopyCharacters(view, size, text);
      std::fill_n(static_cast<char16_t*>(view), size / 2, u'x');
      return true;
    });
  });
  RecordingLogger log;
  client_.SetLogger(&log, nullptr);
  client_.Connect(mapping_.c_str(), 0);
  const Outcome outcome = Call(u"echo", u"unreadable");
  EXPECT_EQ(outcome.rc, 1);
  EXPECT_EQ(outcome.result, std::nullopt);
  EXPECT_EQ(outcome.error, std::nullopt);
  const std::vector<WString> lines = log.lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], u"WB6. 读取 Server 读取结果;");
  EXPECT_EQ(lines.back(), u"取执行结果失败");

  auto next = std::async(std::launch::async, [this] { return Call(u"echo", u"next"); });
  const bool answered = next.wait_for(lumarine_testing::Patience()) == std::future_status::ready;
  if (!answered) thread_.reset();  // ends the server, and so the hanging call
  EXPECT_TRUE(answered) << "the server still waits for the unreadable reply to be taken";
  EXPECT_EQ(next.get().result, WString(u"next"));
}

// A reply of 3 characters in a mapping of a gigabyte (the server's choice):
// our client's memory grows by what the text costs, not the mapping.
TEST_F(ReferenceServerTest, AShortReplyInAHugeMappingCostsOurClientWhatItsTextCosts) {
  thread_.reset();
  StartServer([](reference::Server& server) { server.set_reply_mapping_bytes(std::size_t{1} << 30); });
  const PeakMemoryGrowth growth;
  EXPECT_EQ(Call(u"echo", u"abc").result, WString(u"abc"));
  ASSERT_TRUE(growth.Bytes().has_value());
  EXPECT_LT(*growth.Bytes(), std::size_t{16} << 20);
}

// A mapping that a peer fills with a text no zero ends, and what reading
// it may cost at most: far less than a copy of that text.
constexpr std::size_t kFilledMappingBytes = std::size_t{128} << 20;
constexpr std::size_t kNoCopy = std::size_t{64} << 20;

// A reference server in another process (so that the mapping it fills is
// not counted here) fills the reply's mapping: our client refuses the
// reply without copying it, and the next call is answered.
TEST(ReferenceServerProcessTest, AReplyThatNoZeroEndsIsRefusedWithoutACopy) {
  const WString mapping = u"Local\\" + UniqueName("filling") + u"_SECTQE_Server";
  PeerProcess server({"ref-server-filling", Utf16ToUtf8(mapping), std::to_string(kFilledMappingBytes)});
  ASSERT_EQ(server.ReadLine(), "ready");
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(mapping.c_str(), 0);
  const PeakMemoryGrowth growth;
  const Outcome refused = CallWith(client, u"echo", u"fill");
  EXPECT_EQ(refused.rc, 1);
  EXPECT_EQ(refused.result, std::nullopt);
  ASSERT_TRUE(growth.Bytes().has_value());
  EXPECT_LT(*growth.Bytes(), kNoCopy);
  EXPECT_EQ(CallWith(client, u"echo", u"next").result, WString(u"next"));
}

// This project's server, and reference clients calling it.
TEST_F(RpcServerTest, AReferenceClientMakesHundredsOfCallsInARow) {
  for (int i = 0; i < 400; ++i) {
    const Outcome outcome = reference::Call(mapping_, Function(i), Text(i));
    ASSERT_EQ(outcome.rc, 0) << "call " << i;
    ASSERT_TRUE(outcome.result == Answer(i)) << "call " << i << ": " << Shown(outcome.result);
  }
  EXPECT_EQ(Call(u"echo", u"ours").result, WString(u"ours"));
}

TEST_F(RpcServerTest, EveryKindOfReplyReachesAReferenceClient) {
  ExpectEveryKindOfReply([this](const char16_t* function, const WString& parameters) {
    return reference::Call(mapping_, function, parameters);
  });
}

// Opens `gate` at the first trace line that begins with `prefix`.
class OpenGateAtLine : public IRPCLogger {
 public:
  OpenGateAtLine(Gate* gate, WString prefix) : gate_(gate), prefix_(std::move(prefix)) {}
  void Log(const platform::WChar* text) override {
    if (platform::WStringView(text).substr(0, prefix_.size()) == prefix_) gate_->opened->Release();
  }

 private:
  Gate* const gate_;
  const WString prefix_;
};

// Request and reply share one name, and a reference client makes its
// request with create-or-open: while our server still holds the last reply
// (here until the next request is written), the request must not land in
// that reply's mapping, which the client has read already. A request larger
// than the reply's page arrives whole.
TEST_F(RpcServerTest, AReferenceClientsNextRequestNeverLandsInTheLastReply) {
  Gate gate;
  GateAtLine at_close(&gate, u"WB9.");
  at_close.armed = true;
  server_->SetLogger(&at_close, nullptr);
  EXPECT_EQ(reference::Call(mapping_, u"echo", u"short").result, WString(u"short"));
  platform::WaitOptions bounded;
  bounded.timeout_ms = static_cast<std::uint32_t>(lumarine_testing::PatienceMs());
  EXPECT_EQ(platform::WaitForObject(*gate.reached, bounded), platform::WaitResult::kSignaled)
      << "the server never came to close its reply";
  OpenGateAtLine written(&gate, u"WB2.");
  const WString large(1 << 13, u'L');
  const Outcome outcome = reference::Call(mapping_, u"echo", large, &written);
  gate.opened->Release();  // in case the call ended before it wrote its request
  EXPECT_EQ(outcome.rc, 0);
  EXPECT_TRUE(outcome.result == large) << Shown(outcome.result);
  server_.reset();  // before its logger goes
}

// A request of 2 characters in a mapping of a gigabyte (the client's
// choice): our server's memory grows by what the text costs, not the
// mapping.
TEST_F(RpcServerTest, AShortRequestInAHugeMappingCostsOurServerWhatItsTextCosts) {
  const PeakMemoryGrowth growth;
  EXPECT_EQ(reference::Call(mapping_, u"a", u"", nullptr, std::size_t{1} << 30).rc, 0);
  EXPECT_EQ(server_log_.lines().at(7), u"执行函数【a】");
  ASSERT_TRUE(growth.Bytes().has_value());
  EXPECT_LT(*growth.Bytes(), std::size_t{16} << 20);
}

// A reference client in another process fills its request's mapping with
// a text that no zero ends (and no colon splits): our server refuses it
// without copying it, the client's call fails at once, and the next call is
// answered.
TEST_F(RpcServerTest, ARequestThatNoZeroEndsIsRefusedWithoutACopy) {
  const PeakMemoryGrowth growth;
  PeerProcess client({"ref-client-filling", Utf16ToUtf8(mapping_), std::to_string(kFilledMappingBytes),
                      std::to_string(kFilledMappingBytes / 2)});
  EXPECT_EQ(client.ReadLine(), "rc=1");
  ASSERT_TRUE(growth.Bytes().has_value());
  EXPECT_LT(*growth.Bytes(), kNoCopy);
  EXPECT_EQ(Call(u"echo", u"next").result, WString(u"next"));
}

// A request without colon is both the function name and the parameters:
// our server holds the text and one copy of it, and with nobody to log to
// it makes no trace line of the name.
TEST_F(RpcServerTest, ARequestWithoutColonCostsOurServerTheTextAndOneCopy) {
  if (lumarine_testing::BuildSlowdown() > 1) GTEST_SKIP() << "a sanitizer's shadow grows with every byte touched";
  server_->SetLogger(nullptr, nullptr);
  constexpr std::size_t kTextBytes = std::size_t{64} << 20;
  const PeakMemoryGrowth growth;
  PeerProcess client({"ref-client-filling", Utf16ToUtf8(mapping_), std::to_string(kTextBytes + 4),
                      std::to_string(kTextBytes / 2)});
  EXPECT_EQ(client.ReadLine(), "rc=0");
  ASSERT_TRUE(growth.Bytes().has_value());
  EXPECT_LT(*growth.Bytes(), kTextBytes * 5 / 2);
}

// Reference clients do not take turns by themselves (the channel carries
// one call at a time); here they take turns under a lock of the test.
TEST_F(RpcServerTest, ReferenceClientsInSeveralThreadsAndProcessesAreServedInTurn) {
  std::vector<std::unique_ptr<PeerProcess>> peers;
  for (int p = 0; p < 2; ++p) {
    peers.push_back(std::make_unique<PeerProcess>(
        std::vector<std::string>{"ref-calls", Utf16ToUtf8(mapping_), "60", "peer" + std::to_string(p)}));
  }
  std::vector<std::thread> threads;
  std::vector<std::string> failures[2];
  for (int t = 0; t < 2; ++t) {
    threads.emplace_back([&, t] {
      auto turns = platform::NamedMutex::Create(mapping_ + u"-turns");
      for (int i = 0; i < 60; ++i) {
        const int n = t * 100 + i;
        if (turns == nullptr || !turns->Lock()) {
          failures[t].push_back("no turn");
          return;
        }
        const Outcome outcome = reference::Call(mapping_, Function(n), Text(n));
        turns->Unlock();
        if (outcome.rc != 0 || outcome.result != Answer(n)) failures[t].push_back(std::to_string(n));
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (const auto& failed : failures) EXPECT_EQ(failed, std::vector<std::string>());
  for (auto& peer : peers) EXPECT_EQ(peer->ReadLine(), "ok");
}

// A reference client's process dies as it logs a step; our server goes on
// to serve the next caller, of either kind.
TEST_F(RpcServerTest, AReferenceClientKilledAtAnyStepLeavesOurServerServing) {
  for (int step = 1; step <= 8; ++step) {
    SCOPED_TRACE("the reference client dies at WB" + std::to_string(step));
    PeerProcess client({"ref-client", Utf16ToUtf8(mapping_), "echo", "doomed", "WB" + std::to_string(step) + ".", "1"});
    EXPECT_EQ(client.Wait(), 128 + 9);
    const WString sent = UniqueName("after-");
    const Outcome by_reference = reference::Call(mapping_, u"echo", sent);
    EXPECT_EQ(by_reference.result, sent) << Shown(by_reference.error);
    EXPECT_EQ(Call(u"echo", sent.c_str()).result, sent);
  }
  EXPECT_EQ(implementation_->IsFinished(), 0);
}

}  // namespace
}  // namespace rpc_test
