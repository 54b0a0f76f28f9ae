// Calls between a server and clients of one process.
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "channel_names.h"
#include "platform/named_semaphore.h"
#include "platform/semaphore.h"
#include "platform/stoppable_thread.h"
#include "rpc_fixture.h"
#include "testing/patience.h"
#include "testing/scoped_env.h"

namespace rpc_test {
namespace {

using platform::WString;

TEST_F(RpcServerTest, TextsTravelExactlyAndRepliesAreClassifiedByTheirOpening) {
  const WString error_object = u"{\"type\":\"error\",\"value\":\"boom\"}";
  struct Case {
    const char16_t* function;
    const char16_t* parameters;
    std::optional<WString> result;
    std::optional<WString> error;
  };
  const std::vector<Case> cases = {
      {u"echo", u"plain", WString(u"plain"), std::nullopt},
      {u"echo", u"a:b::c", WString(u"a:b::c"), std::nullopt},
      {u"echo", u"\u53c2\u6570 \u2713 \U0001F600", WString(u"\u53c2\u6570 \u2713 \U0001F600"), std::nullopt},
      {u"echo", u"", std::nullopt, std::nullopt},
      {u"echo", nullptr, std::nullopt, std::nullopt},
      // A result that looks like an error object is delivered as one.
      {u"echo", u"{\"type\":\"error\"!", std::nullopt, WString(u"{\"type\":\"error\"!")},
      {u"echo", u"{\"type\":\"errorless\"}", WString(u"{\"type\":\"errorless\"}"), std::nullopt},
      {u"echo", u"{\"type\": \"error\"}", WString(u"{\"type\": \"error\"}"), std::nullopt},
      // An error text travels as the reply; its opening decides its kind.
      {u"fail", error_object.c_str(), std::nullopt, error_object},
      {u"fail", u"not an object", WString(u"not an object"), std::nullopt},
      {u"both", u"", WString(u"R"), std::nullopt},
      {u"nothing", u"x", std::nullopt, std::nullopt},
      {u"unknown", u"x", std::nullopt, std::nullopt},
      {u"Echo", u"x", std::nullopt, std::nullopt},  // names are case-sensitive
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.function, c.function + std::char_traits<char16_t>::length(c.function)));
    const Outcome outcome = Call(c.function, c.parameters);
    EXPECT_EQ(outcome.rc, 0);
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(outcome.error, c.error);
  }
}

TEST_F(RpcServerTest, AColonInTheFunctionNameMovesTheRestIntoTheParameters) {
  server_->RegisterFunction(u"a", new FunctionDelegate([](const WString& function, const WString& parameters,
                                                          WString* result, WString*) {
                              *result = function + u"|" + parameters;
                              return 0;
                            }));
  EXPECT_EQ(Call(u"a:b", u"c").result, WString(u"a|b:c"));
  EXPECT_EQ(Call(u"a", u"").result, WString(u"a|"));
}

TEST_F(RpcServerTest, CallsThatCannotBeMadeFailWithNullOutputs) {
  for (const platform::WChar* function : {static_cast<const platform::WChar*>(nullptr), u""}) {
    const Outcome outcome = Call(function, u"x");
    EXPECT_EQ(outcome.rc, 1);
    EXPECT_EQ(outcome.result, std::nullopt);
    EXPECT_EQ(outcome.error, std::nullopt);
  }
  RPCClient::CRPCClient never_connected(new RPCClient::CFileMappingClient());
  EXPECT_EQ(CallWith(never_connected, u"echo", u"x").rc, 1);
  client_.Disconnect();
  EXPECT_EQ(Call(u"echo", u"x").rc, 1);
  client_.Connect(mapping_.c_str(), 0);
  EXPECT_EQ(Call(u"echo", u"x").rc, 0);
  // Either output may be left out.
  EXPECT_EQ(client_.Call(u"echo", u"x", nullptr, nullptr), 0);

  // Without a server, the call gives up after its retries.
  client_.Connect((u"Local\\" + UniqueName("absent") + u"_SECJS_Server").c_str(), 0);
  EXPECT_EQ(Call(u"echo", u"x").rc, 1);
}

TEST(RpcClientTest, AClientWhoseObjectsCannotBeMadeFails) {
  // The object folder is a plain file: nothing can be created in it.
  const std::string blocker = IpcFolder() + "/.not-a-folder";
  std::fclose(std::fopen(blocker.c_str(), "w"));
  lumarine_testing::ScopedEnv unusable("LUMARINE_IPC_DIR", blocker);
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(u"Local\\x_SECJS_Server", 0);
  const Outcome outcome = CallWith(client, u"echo", u"x");
  EXPECT_EQ(outcome.rc, 1);
  EXPECT_EQ(outcome.result, std::nullopt);
}

TEST_F(RpcServerTest, MegabyteTextsTravelBothWays) {
  WString big(1 << 20, u'\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char16_t>(u'!' + i % 4000);
  const Outcome outcome = Call(u"echo", big.c_str());
  EXPECT_EQ(outcome.rc, 0);
  ASSERT_TRUE(outcome.result.has_value());
  EXPECT_EQ(*outcome.result, big);
}

TEST_F(RpcServerTest, OutputsStayValidUntilALaterCallGivesATextOfTheSameKind) {
  const platform::WChar* first = nullptr;
  const platform::WChar* error = nullptr;
  ASSERT_EQ(client_.Call(u"echo", u"first", &first, &error), 0);
  const platform::WChar* second = nullptr;
  ASSERT_EQ(client_.Call(u"fail", u"{\"type\":\"error\"}", &second, &error), 0);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(WString(first), u"first");  // still the first call's text
  ASSERT_EQ(client_.Call(u"echo", u"third", &second, &error), 0);
  EXPECT_EQ(WString(second), u"third");
}

TEST_F(RpcServerTest, BackToBackCallsNeverMix) {
  for (int i = 0; i < 300; ++i) {
    const WString sent = u"call-" + UniqueName("n");
    ASSERT_EQ(Call(u"echo", sent.c_str()).result, sent) << i;
  }
}

TEST_F(RpcServerTest, ConcurrentClientsAreServedOneAtATime) {
  std::atomic<int> served{0};
  std::atomic<int> running{0};
  std::atomic<bool> overlapped{false};
  server_->RegisterFunction(u"count", new FunctionDelegate([&](const WString&, const WString& parameters,
                                                              WString* result, WString*) {
                              if (running.fetch_add(1) != 0) overlapped = true;
                              ++served;
                              *result = parameters;
                              running.fetch_sub(1);
                              return 0;
                            }));
  std::vector<std::thread> threads;
  std::atomic<int> mismatches{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
      client.Connect(mapping_.c_str(), 0);
      for (int i = 0; i < 60; ++i) {
        const WString sent = UniqueName("t" + std::to_string(t) + "-");
        if (CallWith(client, u"count", sent.c_str()).result != sent) ++mismatches;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_EQ(served.load(), 240);
  EXPECT_FALSE(overlapped.load());
}

TEST_F(RpcServerTest, AServerStartsOnceEvenAfterStop) {
  EXPECT_EQ(server_->Start(mapping_.c_str(), 0), 2);
  EXPECT_EQ(Call(u"echo", u"x").rc, 0);
  EXPECT_EQ(server_->Stop(), 0);
  EXPECT_EQ(server_->Start(mapping_.c_str(), 0), 2);
  EXPECT_EQ(server_->Stop(), 0);
  // A stopped server answers nobody, old client or new.
  RPCClient::CRPCClient newcomer(new RPCClient::CFileMappingClient());
  newcomer.Connect(mapping_.c_str(), 0);
  EXPECT_EQ(CallWith(newcomer, u"echo", u"x").rc, 1);
  EXPECT_EQ(Call(u"echo", u"x").rc, 1);
}

TEST_F(RpcServerTest, RegisteringReplacesAndUnregisteringDestroysTheDelegate) {
  int destroyed = 0;
  const auto answer = [&destroyed](const char16_t* text) {
    return new FunctionDelegate(
        [text](const WString&, const WString&, WString* result, WString*) {
          *result = text;
          return 0;
        },
        &destroyed);
  };
  EXPECT_EQ(server_->RegisterFunction(u"f", answer(u"one")), 0);
  EXPECT_EQ(Call(u"f", u"").result, WString(u"one"));
  EXPECT_EQ(server_->RegisterFunction(u"f", answer(u"two")), 0);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(Call(u"f", u"").result, WString(u"two"));
  EXPECT_EQ(server_->RegisterFunction(u"F", answer(u"upper")), 0);
  EXPECT_EQ(Call(u"f", u"").result, WString(u"two"));
  EXPECT_EQ(server_->RegisterFunction(u"g", nullptr), 1);

  EXPECT_EQ(server_->UnregisterFunction(u"f"), 0);
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(server_->UnregisterFunction(u"f"), 0);
  EXPECT_EQ(destroyed, 2);
  const Outcome gone = Call(u"f", u"");
  EXPECT_EQ(gone.rc, 0);
  EXPECT_EQ(gone.result, std::nullopt);
  server_.reset();
  EXPECT_EQ(destroyed, 3);  // "F" goes with the server
}

// As the server signals a reply (trace line "WB7."), looks for a unit in
// ServerSemaphore2, which only the reply's taker may release from then on,
// and leaves it there.
class UnitBeforeReplyProbe : public IRPCLogger {
 public:
  explicit UnitBeforeReplyProbe(const WString& mapping) : names_(mapping) {}
  void Log(const platform::WChar* text) override {
    if (platform::WStringView(text).substr(0, 4) != u"WB7.") return;
    auto server2 = platform::NamedSemaphore::Open(names_.server2);
    if (server2 != nullptr && server2->TryAcquire()) {
      found = true;
      server2->Release();
    }
  }
  std::atomic<bool> found{false};

 private:
  const RPCChannel::ChannelNames names_;
};

// The failed call's client still ends the server's round (as it would a
// server waiting for it to take a reply): the next round must not take that
// for its own client's acknowledgement and drop its reply unread.
TEST_F(RpcServerTest, ADelegateThatThrowsFailsOnlyItsOwnCall) {
  UnitBeforeReplyProbe probe(mapping_);
  server_->SetLogger(&probe, nullptr);
  EXPECT_EQ(Call(u"throw", u"").rc, 1);
  EXPECT_EQ(Call(u"echo", u"after").result, WString(u"after"));
  EXPECT_FALSE(probe.found.load());
  EXPECT_EQ(implementation_->IsFinished(), 0);
  server_.reset();  // before its logger goes
}

TEST_F(RpcServerTest, StopDuringACallFailsTheCallAndEndsTheThread) {
  auto started = platform::Semaphore::Create(0, 1);
  server_->RegisterFunction(u"block", new FunctionDelegate([&](const WString&, const WString&, WString* result,
                                                              WString*) {
                              started->Release();
                              auto never = platform::Semaphore::Create(0, 1);
                              // Ends only through the server's stop.
                              platform::WaitForObject(*never);
                              *result = u"late";
                              return 0;
                            }));
  Outcome outcome;
  std::thread caller([&] { outcome = Call(u"block", u""); });
  ASSERT_EQ(platform::WaitForObject(*started), platform::WaitResult::kSignaled);
  EXPECT_EQ(server_->Stop(), 0);
  caller.join();
  EXPECT_EQ(outcome.rc, 1);
  EXPECT_EQ(outcome.result, std::nullopt);
  EXPECT_EQ(implementation_->IsFinished(), 1);
}

TEST_F(RpcServerTest, TraceLinesFollowTheCallStepByStep) {
  RecordingLogger client_log;
  client_.SetLogger(&client_log, nullptr);
  client_.Connect(mapping_.c_str(), 0);
  ASSERT_EQ(Call(u"echo", u"x").rc, 0);

  const WString rule = u"WB----------------------------------";
  EXPECT_EQ(client_log.lines(), (std::vector<WString>{
                                    rule,
                                    mapping_,
                                    u"WB1. 创建共享内存，并写入数据;",
                                    u"WB2. 通知 Sever 接收数据;",
                                    u"WB3. 等待 Server 接收完成数据;",
                                    u"WB4. 释放发送数据的共享内存;",
                                    u"WB5. 等待 Server 发送结果;",
                                    u"WB6. 读取 Server 读取结果;",
                                    u"WB7. 关闭读数据的共享内存;",
                                    u"WB8. 通知结果已读取完成;",
                                }));
  const std::vector<WString> expected_server = {
      rule,
      mapping_,
      u"WB1. 等待客户端接入;.",
      u"WB2. 打开共享内存读取请求数据;.",
      u"WB3. 关闭上次写数据的共享内存; ",
      u"WB4. 通知客户端数据已读取完成;",
      u"WB5. 执行函数，并将结果写入共享内存中;",
      u"执行函数【echo】",
      u"WB6. 打开共享内存写数据;",
      u"WB7. 通知客户端结果已经发送; ",
      u"WB8. 等待结果被客户端取完; ",
      u"WB9. 关闭共享内存; ",
      rule,
      mapping_,
      u"WB1. 等待客户端接入;.",
  };
  // The server finishes its round after the client has returned.
  EXPECT_TRUE(server_log_.WaitUntil(
      [&](const RecordingLogger::Lines& lines) { return lines.size() >= expected_server.size(); },
      lumarine_testing::Patience()))
      << "the server never finished its round";
  EXPECT_EQ(server_log_.lines(), expected_server);
}

class RecordingWindow : public platform::MessagePump {
 public:
  void Dispatch(const platform::WindowMessage& message) override {
    dispatched.push_back(message.message);
    if (message.message == 0x400) pumped->Release();
  }
  std::vector<std::uint32_t> dispatched;
  std::unique_ptr<platform::Semaphore> pumped = platform::Semaphore::Create(0, 1);
};

TEST_F(RpcServerTest, AWaitingClientPumpsItsWindowAndDropsInput) {
  RecordingWindow window;
  auto gate = platform::Semaphore::Create(0, 1);
  server_->RegisterFunction(u"gated", new FunctionDelegate([&](const WString&, const WString&, WString* result,
                                                              WString*) {
                              // Posted while the client waits for this reply.
                              for (std::uint32_t id : {0x0Fu, 0x100u, 0x201u, 0xA1u, 0x500u, 0x400u}) {
                                window.Post({id, 0, 0});
                              }
                              platform::WaitOptions bounded;
                              bounded.timeout_ms = static_cast<std::uint32_t>(lumarine_testing::PatienceMs());
                              platform::WaitForObject(*window.pumped, bounded);
                              *result = u"opened";
                              return 0;
                            }));
  client_.SetLogger(nullptr, &window);
  client_.Connect(mapping_.c_str(), 0);
  EXPECT_EQ(Call(u"gated", u"").result, WString(u"opened"));
  EXPECT_EQ(window.dispatched, (std::vector<std::uint32_t>{0x0F, 0x400}));
  platform::WindowMessage left;
  ASSERT_TRUE(window.Take(&left));
  EXPECT_EQ(left.message, 0x500u);  // outside the pumped range: left queued
}

}  // namespace
}  // namespace rpc_test
