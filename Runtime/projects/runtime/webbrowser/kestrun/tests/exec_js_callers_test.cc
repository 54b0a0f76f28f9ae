// "ExecJS" callers that go away while the service waits for their
// evaluation (killed, or giving up), and the callers after them: each of
// these gets the result of its own evaluation.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "kestrun_page.h"
#include "kestrun_process.h"
#include "message_names.h"
#include "peer_process.h"
#include "platform/stoppable_thread.h"
#include "platform/unicode.h"
#include "rpc/file_mapping_client.h"
#include "test_functions.h"

namespace Kestrun::testing {
namespace {

using platform::WString;

WString ServiceName(const WString& id) { return u"Local\\" + id + u"_SECJS_Server"; }

// A caller in another process that is killed as it starts to wait for the
// reply: this project's client or the reference client.
void CallerKilledWhileItWaits(const WString& id, const std::string& kind) {
  rpc_test::PeerProcess caller({kind, platform::Utf16ToUtf8(ServiceName(id)), "ExecJS", "", "WB5.", "1"});
  EXPECT_EQ(caller.Wait(), 128 + 9);
}

// A caller of this process that gives up while it waits for the reply.
void CallerGivingUpWhileItWaits(const WString& id) {
  rpc_test::LineSignal waiting(u"WB5.");
  platform::StoppableThread caller;
  int rc = -1;
  caller.Start([&] {
    RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
    client.SetLogger(&waiting, nullptr);
    client.Connect(ServiceName(id).c_str(), 0);
    rc = client.Call(u"ExecJS", u"", nullptr, nullptr);
  });
  ASSERT_TRUE(waiting.Wait());
  caller.RequestStop();
  ASSERT_TRUE(caller.WaitForEnd(static_cast<std::uint32_t>(std::chrono::milliseconds(kPatience).count())));
  EXPECT_EQ(rc, 1);
}

// One evaluation requested and collected, as the control does it. Should
// the reply not come, a further evaluation is requested so that the call
// ends (with that evaluation's result, which fails the test).
std::string EvaluateAndCollect(KestrunPage& page, const WString& id, const std::string& text) {
  page.RequestSync(u"'" + platform::Utf8ToUtf16(text) + u"'");
  std::future<std::string> reply = std::async(std::launch::async, [&id] { return CallExecJs(id); });
  if (reply.wait_for(kPatience) != std::future_status::ready) page.RequestSync(u"'a later evaluation'");
  return reply.get();
}

TEST(ExecJsCallersTest, ACallerThatGoesWhileExecJsWaitsLeavesTheNextCallersTheirOwnResults) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  const WString id = UniqueObjectId();
  page.StartService(id);
  for (const std::string way : {"client", "ref-client", "gives up"}) {
    SCOPED_TRACE(way);
    if (way == "gives up") {
      CallerGivingUpWhileItWaits(id);
    } else {
      CallerKilledWhileItWaits(id, way);
    }
    for (const std::string next : {"first", "second", "third"}) {
      const std::string text = way + " then " + next;
      EXPECT_EQ(EvaluateAndCollect(page, id, text), R"(0 {"type":"string","value":")" + text + "\"}");
    }
  }
}

}  // namespace
}  // namespace Kestrun::testing
