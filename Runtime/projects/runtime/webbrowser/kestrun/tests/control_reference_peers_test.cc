// The browser control's side of the RPC channel played by the reference
// peers, written step for step from the channel's description: a host
// event server as the control would run it, and a control that calls
// "ExecJS" by the channel's letter.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "kestrun_page.h"
#include "message_names.h"
#include "platform/stoppable_thread.h"
#include "platform/unicode.h"
#include "reference_client.h"
#include "reference_server.h"
#include "test_functions.h"

namespace Kestrun::testing {
namespace {

using platform::WString;

std::string OkString(const std::string& value) { return R"(ok {"type":"string","value":")" + value + "\"}"; }

// The control's event server "Local\" + identifier + "_SECTQE_Server",
// served by the reference server on a thread of this process.
class ReferenceHostServer {
 public:
  explicit ReferenceHostServer(const WString& identifier)
      : server_(u"Local\\" + identifier + u"_SECTQE_Server", &ready_) {
    using rpc_test::FunctionDelegate;
    server_.RegisterFunction(u"OnSave",
                             new FunctionDelegate([](const WString&, const WString& text, WString* result, WString*) {
                               *result = u"saved " + text;
                               return 0;
                             }));
    server_.RegisterFunction(u"OnRefuse",
                             new FunctionDelegate([](const WString&, const WString&, WString*, WString* error) {
                               *error = u"{\"type\":\"error\",\"value\":\"refused\"}";
                               return 5;
                             }));
    server_.RegisterFunction(
        u"OnNothing", new FunctionDelegate([](const WString&, const WString&, WString*, WString*) { return 0; }));
    // The text, then as many U+4E2D as make 5,000 characters: more than the
    // request's page.
    server_.RegisterFunction(u"OnLong",
                             new FunctionDelegate([](const WString&, const WString& text, WString* result, WString*) {
                               *result = text + WString(5000 - text.size(), u'\u4e2d');
                               return 0;
                             }));
    thread_.Start([this] { server_.Serve(); });
    EXPECT_TRUE(ready_.Wait()) << "the reference server did not start";
  }

 private:
  rpc_test::LineSignal ready_{u"WB1."};
  rpc_test::reference::Server server_;
  platform::StoppableThread thread_;  // stopped and joined before the server goes
};

TEST(ControlReferencePeersTest, EventFunctionsCallAHostServerThatFollowsTheChannel) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  const WString id = UniqueObjectId();
  ReferenceHostServer host(id);
  page.Send(kSaveWebBrowserObjectID, id);
  for (const char16_t* name : {u"OnSave", u"OnRefuse", u"OnNothing", u"OnLong"}) {
    page.Send(kJavascriptRegisterEvent, name);
  }
  // Hundreds of calls in a row, each answered by its own reply.
  EXPECT_EQ(page.EvaluateAsync(u"var wrong = [];"
                               u"for (var i = 0; i < 300; i++) {"
                               u"  var answer = WebBrowser.OnSave('n' + i);"
                               u"  if (answer !== 'saved n' + i) wrong.push(i + ':' + answer);"
                               u"}"
                               u"wrong.length + ' wrong ' + wrong.slice(0, 5)"),
            OkString("0 wrong "));
  // The server makes each reply with create-or-open as soon as it has
  // signalled that it read the request: replies larger than the request's
  // page arrive whole, and the next evaluation is answered.
  EXPECT_EQ(page.EvaluateAsync(u"var wrong = [];"
                               u"for (var i = 0; i < 10; i++) {"
                               u"  var text = 'n' + i;"
                               u"  var answer = WebBrowser.OnLong(text);"
                               u"  if (answer !== text + '\u4e2d'.repeat(5000 - text.length))"
                               u"    wrong.push(i + ':' + answer.length);"
                               u"}"
                               u"wrong.length + ' wrong ' + wrong"),
            OkString("0 wrong "));
  // An error reply and an empty one reach the script as "".
  EXPECT_EQ(page.EvaluateAsync(u"[webBrowser.OnRefuse('x'), WebBrowser.OnNothing(), webBrowser.OnSave('')].join('|')"),
            OkString("||saved "));
}

TEST(ControlReferencePeersTest, AControlThatFollowsTheChannelCollectsEachSynchronousEvaluation) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  const WString id = UniqueObjectId();
  page.StartService(id);
  const WString service = u"Local\\" + id + u"_SECJS_Server";
  for (int i = 0; i < 150; ++i) {
    const std::string text = "s" + std::to_string(i);
    page.RequestSync(u"'" + platform::Utf8ToUtf16(text) + u"'");
    const rpc_test::Outcome outcome = rpc_test::reference::Call(service, u"ExecJS", u"");
    ASSERT_EQ(outcome.rc, 0) << i;
    ASSERT_EQ(outcome.result, platform::Utf8ToUtf16(R"({"type":"string","value":")" + text + "\"}")) << i;
    ASSERT_EQ(outcome.error, std::nullopt) << i;
  }
  page.RequestSync(u"throw new Error('sync')");
  const rpc_test::Outcome failed = rpc_test::reference::Call(service, u"ExecJS", u"");
  EXPECT_EQ(failed.rc, 0);
  EXPECT_EQ(failed.result, std::nullopt);
  EXPECT_EQ(failed.error, WString(uR"({"type":"error","value":"Uncaught Error: sync\n@ eval.js:1:6"})"));
}

}  // namespace
}  // namespace Kestrun::testing
