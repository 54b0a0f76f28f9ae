// The page's side of the bridge end to end: the WebBrowser objects, Invoke,
// the control's event functions, and the notifications of new contexts and
// uncaught exceptions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <string>
#include <vector>

#include "control_event_server.h"
#include "kestrun_page.h"
#include "kestrun_process.h"
#include "message_names.h"
#include "packed_id.h"
#include "testing/scoped_env.h"

namespace Kestrun::testing {
namespace {

using ::testing::ElementsAre;

std::string OkString(const std::string& value) { return R"(ok {"type":"string","value":")" + value + "\"}"; }

// How often the traced dispatch answered `answer` (e.g. `"Name" false`).
long CountAnswers(cefshim::host::RendererProcess& process, const std::string& answer) {
  process.CloseConnection();
  ExpectExitCodeZero(process);
  const std::vector<std::string> answers = DispatchAnswers(process.Output());
  return std::count(answers.begin(), answers.end(), answer);
}

TEST(ScriptObjectsTest, EveryContextHasBothObjectsWithTheirOwnInvoke) {
  KestrunPage page("var seenAtLoad = typeof WebBrowser.Invoke;");
  ASSERT_TRUE(page.process());
  page.process()->LoadPage(kBrowser, 11, false, "sub.js", "var seenAtLoad = typeof webBrowser.invoke;");
  for (const std::int64_t frame : {kMainFrame, std::int64_t{11}}) {
    const auto created = page.Next(kOnContextCreated);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->frame_id, frame);
    EXPECT_EQ(ReadPackedId(created->message->GetArgumentList()), frame);
    EXPECT_EQ(page.EvaluateAsync(u"seenAtLoad + [typeof WebBrowser.invoke, typeof webBrowser.Invoke]", frame),
              OkString("functionundefined,undefined"));
  }
  EXPECT_EQ(page.EvaluateAsync(u"WebBrowser = 1; typeof WebBrowser"), OkString("object"));  // read-only
}

// The next `count` "InvokeWebBrowser" messages, each as "id data status".
std::vector<std::string> InvokeMessages(KestrunPage& page, int count) {
  std::vector<std::string> sent;
  for (int i = 0; i < count; ++i) {
    const auto invoked = page.Next(kInvokeWebBrowser);
    if (!invoked) break;
    CefRefPtr<CefListValue> arguments = invoked->message->GetArgumentList();
    sent.push_back(std::to_string(ReadPackedId(arguments)) + " " + arguments->GetString(1).ToString() + " " +
                   arguments->GetString(2).ToString());
  }
  return sent;
}

TEST(InvokeTest, SendsTheCommandWithItsWholeData) {
  const lumarine_testing::ScopedEnv zone("TZ", std::string("UTC0"));
  KestrunPage page;
  ASSERT_TRUE(page.process());
  EXPECT_EQ(page.EvaluateAsync(u"[WebBrowser.Invoke(3, {}), webBrowser.invoke(-5, new Date(Date.UTC(2024, 0, 2, 3, 4, 5, 5))),"
                               u" WebBrowser.Invoke(6, 'a\\u0000b')].join()"),
            OkString("true,true,true"));
  EXPECT_THAT(InvokeMessages(page, 3),
              ElementsAre(R"(3 {"type":"object","value":"unsupport"} Sucess.)",
                          R"(-5 {"type":"datetime","value":"2024-01-02 03:04:05.5"} Sucess.)",
                          R"(6 {"type":"string","value":"a\u0000b"} Sucess.)"));
  // A sub-frame's command leaves through the main frame.
  page.process()->LoadPage(kBrowser, 11, false, "sub.js", "WebBrowser.Invoke(11, 'from the sub-frame');");
  const auto from_sub = page.Next(kInvokeWebBrowser);
  ASSERT_TRUE(from_sub);
  EXPECT_EQ(from_sub->frame_id, kMainFrame);
  EXPECT_EQ(ReadPackedId(from_sub->message->GetArgumentList()), 11);
}

TEST(InvokeTest, WrongArgumentsAreSentAsAParameterError) {
  KestrunPage page("var huge = []; huge.length = 4294967295;");
  ASSERT_TRUE(page.process());
  EXPECT_EQ(page.EvaluateAsync(u"[WebBrowser.Invoke('3', 1), WebBrowser.Invoke(2.5, 1), WebBrowser.Invoke(1),"
                               u" WebBrowser.Invoke(1, 2, 3), WebBrowser.Invoke(4, huge)].join()"),
            OkString("true,true,true,true,true"));
  const std::string refused = "-1  Parameter error.";
  EXPECT_THAT(InvokeMessages(page, 5), ElementsAre(refused, refused, refused, refused, refused));
}

TEST(EventFunctionsTest, CallTheControlFunctionOfTheirNameAndReturnItsAnswer) {
  KestrunPage page("", {"--cefshim-trace"});
  ASSERT_TRUE(page.process());
  const platform::WString id = UniqueObjectId();
  ControlEventServer control(id, {"OnSave", "OnLoad", "OnFail"}, [](const std::string& function, const std::string& text) {
    return function == "OnFail" ? R"({"type":"error","value":"refused"})" : function + " got " + text;
  });
  page.Send(kSaveWebBrowserObjectID, id);
  for (const char16_t* name : {u"OnSave", u"OnLoad", u"OnFail"}) page.Send(kJavascriptRegisterEvent, name);
  page.Send(kJavascriptUnregisterEvent, u"OnLoad");
  page.Send(kJavascriptUnregisterEvent, u"NeverRegistered");
  // Names that would misroute a call or clobber the objects are refused.
  for (const char16_t* name : {u"a:b", u"Invoke", u"invoke", u"__proto__", u""}) {
    page.Send(kJavascriptRegisterEvent, name);
    page.Send(kJavascriptUnregisterEvent, name);
  }
  EXPECT_EQ(page.EvaluateAsync(u"WebBrowser.OnSave('caf\\u00e9') + '|' + webBrowser.OnSave()"),
            OkString("OnSave got caf\xC3\xA9|OnSave got "));
  // The channel would cut a text at U+0000: such a text is refused whole.
  EXPECT_EQ(page.EvaluateAsync(u"[1, null, undefined, ['x'], 'a\\u0000b'].map(v => WebBrowser.OnSave(v)) + '|' + "
                               u"WebBrowser.OnSave('a', 'b') + '|' + WebBrowser.OnFail('x')"),
            OkString("Parameter error.,Parameter error.,Parameter error.,Parameter error.,Parameter error.|"
                     "Wrong number of parameters.|"));
  EXPECT_EQ(page.EvaluateAsync(u"[typeof WebBrowser.OnLoad, typeof webBrowser.OnLoad, typeof WebBrowser.Invoke, "
                               u"typeof WebBrowser['a:b'], Object.getPrototypeOf(WebBrowser) === Object.prototype]"),
            R"(ok {"type":"array","value":[{"type":"string","value":"undefined"},{"type":"string","value":"undefined"},)"
            R"({"type":"string","value":"function"},{"type":"string","value":"undefined"},{"type":"boolean","value":true}]})");
  EXPECT_THAT(control.Calls(), ElementsAre("OnSave(caf\xC3\xA9)", "OnSave()", "OnFail(x)"));
  EXPECT_EQ(CountAnswers(*page.process(), "\"JavascriptRegisterEvent\" false"), 5);
}

TEST(EventFunctionsTest, RegistrationsKeepTheIdentifierOfTheirTime) {
  KestrunPage page("", {"--cefshim-trace"});
  ASSERT_TRUE(page.process());
  const platform::WString first = UniqueObjectId();
  const platform::WString second = UniqueObjectId();
  ControlEventServer one(first, {"Early", "Late"}, [](const std::string&, const std::string&) { return "first"; });
  ControlEventServer two(second, {"Early", "Late"}, [](const std::string&, const std::string&) { return "second"; });
  page.Send(kSaveWebBrowserObjectID, first);
  page.Send(kJavascriptRegisterEvent, u"Early");
  page.Send(kSaveWebBrowserObjectID, second);
  page.Send(kJavascriptRegisterEvent, u"Late");
  EXPECT_EQ(page.EvaluateAsync(u"WebBrowser.Early() + ' ' + webBrowser.Late()"), OkString("first second"));
  page.Send(kJavascriptRegisterEvent, u"Early");  // again: now the second control's
  EXPECT_EQ(page.EvaluateAsync(u"webBrowser.Early()"), OkString("second"));
  // A sub-frame has functions of its own; a frame that is gone or has no
  // page registers and unregisters nothing.
  page.process()->LoadPage(kBrowser, 11, false, "sub.js", "");
  page.Send(kJavascriptRegisterEvent, u"InSub", 11);
  EXPECT_EQ(page.EvaluateAsync(u"[typeof WebBrowser.InSub, typeof WebBrowser.Late]", 11),
            R"(ok {"type":"array","value":[{"type":"string","value":"function"},{"type":"string","value":"undefined"}]})");
  page.Send(kJavascriptRegisterEvent, u"Nowhere", 99);
  page.Send(kJavascriptUnregisterEvent, u"Early", 99);
  page.process()->CreateBrowser(2, 20);
  page.process()->SendProcessMessage(2, 20, Message(kJavascriptUnregisterEvent, u"NoPage"));
  EXPECT_EQ(CountAnswers(*page.process(), "\"JavascriptUnregisterEvent\" false"), 2);
}

TEST(EventFunctionsTest, AControlThatIsNotThereGivesAnEmptyAnswer) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  page.Send(kSaveWebBrowserObjectID, UniqueObjectId());
  page.Send(kJavascriptRegisterEvent, u"OnNothing");
  EXPECT_EQ(page.EvaluateAsync(u"WebBrowser.OnNothing('anyone?')"), OkString(""));
}

TEST(EventFunctionsTest, AnEventCallWhileTheControlWaitsInExecJsNeverHangsBoth) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  const platform::WString id = UniqueObjectId();
  std::promise<void> caller_has_reply;
  std::shared_future<void> reply_given = caller_has_reply.get_future().share();
  ControlEventServer control(id, {"Direct", "Stuck"}, [&](const std::string& function, const std::string& text) {
    // "Stuck" needs the thread that waits in "ExecJS" and cannot reach it.
    if (function == "Stuck") reply_given.wait_for(kPatience);
    return function + " " + text;
  });
  page.StartService(id);
  page.Send(kJavascriptRegisterEvent, u"Direct");
  page.Send(kJavascriptRegisterEvent, u"Stuck");
  // The control's server thread answers while its other thread waits.
  page.RequestSync(u"WebBrowser.Direct('a')");
  EXPECT_EQ(CallExecJs(id), R"(0 {"type":"string","value":"Direct a"})");
  // After the watch's patience the script gets "" and "ExecJS" returns.
  page.RequestSync(u"WebBrowser.Stuck('b') + '|ended'");
  EXPECT_EQ(CallExecJs(id), R"(0 {"type":"string","value":"|ended"})");
  caller_has_reply.set_value();
  page.RequestSync(u"WebBrowser.Direct('c')");
  EXPECT_EQ(CallExecJs(id), R"(0 {"type":"string","value":"Direct c"})");
}

TEST(NotificationsTest, UncaughtExceptionsCarryTheirStack) {
  KestrunPage page("function inner() {\n  throw new Error('deep');\n}\nfunction outer() { inner(); }\nouter();\n");
  ASSERT_TRUE(page.process());
  page.process()->LoadPage(kBrowser, 11, false, "sub.js", "throw 'top';");
  page.process()->LoadPage(kBrowser, 12, false, "symbol.js", "throw Symbol('s');");
  const std::pair<std::int64_t, std::vector<std::string>> expected[] = {
      {kMainFrame, {"Uncaught Error: deep", "inner 2:9 page.js", "outer 4:20 page.js", " 5:1 page.js"}},
      {11, {"Uncaught top", " 1:1 sub.js"}},
      {12, {"Uncaught Symbol(s)", " 1:7 symbol.js"}},
  };
  for (const auto& [frame_id, lines] : expected) {
    const auto received = page.Next(kOnUncaughtException);
    ASSERT_TRUE(received);
    EXPECT_EQ(received->frame_id, frame_id);
    CefRefPtr<CefListValue> arguments = received->message->GetArgumentList();
    EXPECT_EQ(ReadPackedId(arguments), frame_id);
    std::vector<std::string> seen = {arguments->GetString(1).ToString()};
    CefRefPtr<CefListValue> frames = arguments->GetList(2);
    for (std::size_t i = 0; frames && i < frames->GetSize(); ++i) {
      CefRefPtr<CefListValue> entry = frames->GetList(i);
      seen.push_back(entry->GetString(0).ToString() + " " + std::to_string(entry->GetInt(1)) + ":" +
                     std::to_string(entry->GetInt(2)) + " " + entry->GetString(3).ToString());
    }
    EXPECT_EQ(seen, lines);
  }
}

}  // namespace
}  // namespace Kestrun::testing
