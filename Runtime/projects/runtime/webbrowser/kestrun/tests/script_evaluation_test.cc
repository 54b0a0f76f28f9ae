// Script evaluation end to end: the control's requests to a real Kestrun,
// answered as JSON text by message or through "ExecJS".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

#include "kestrun_page.h"
#include "kestrun_process.h"
#include "message_names.h"
#include "platform/unicode.h"
#include "testing/patience.h"
#include "testing/scoped_env.h"

namespace Kestrun::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

// Each code evaluated by message, with the answer expected.
void ExpectAnswers(KestrunPage& page, std::initializer_list<std::pair<const char16_t*, std::string>> cases) {
  for (const auto& [code, answer] : cases) EXPECT_EQ(page.EvaluateAsync(code), answer) << platform::Utf16ToUtf8(code);
}

std::string Error(const std::string& message) { return R"({"type":"error","value":")" + message + "\"}"; }

// A process's resident size in bytes, from /proc; 0 when unreadable.
std::int64_t ResidentBytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string field;
  std::int64_t kilobytes = 0;
  while (status >> field) {
    if (field == "VmRSS:" && status >> kilobytes) return kilobytes * 1024;
  }
  return 0;
}

// The renderer's growth in resident bytes over `count` asynchronous
// evaluations of `code`, 50 in flight at a time; nullopt when one went
// unanswered.
std::optional<std::int64_t> GrowthOverAStream(KestrunPage& page, const char16_t* code, int count) {
  constexpr int kInFlight = 50;
  const std::int64_t start = ResidentBytes(page.process()->pid());
  const CefRefPtr<CefProcessMessage> request = Message(kEvaluateJavascriptRequestAsync, code);
  for (int sent = 0; sent < count; sent += kInFlight) {
    for (int i = 0; i < kInFlight; ++i) page.process()->SendProcessMessage(kBrowser, kMainFrame, request);
    for (int i = 0; i < kInFlight; ++i) {
      if (!page.Next(kEvaluateJavascriptResponseAsync)) return std::nullopt;
    }
  }
  return ResidentBytes(page.process()->pid()) - start;
}

const std::string kFrameGone =
    Error("Main Frame is no longer available, most likely the Frame has been Disposed or Removed.");

TEST(ScriptValueJsonTest, NumbersAndPrimitivesBecomeTaggedJson) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  ExpectAnswers(page, {
      {u"1 + 1", R"(ok {"type":"integer","value":2})"},
      {u"2.5", R"(ok {"type":"double","value":2.5})"},
      {u"-0", R"(ok {"type":"double","value":0})"},
      {u"Math.pow(2, 31)", R"(ok {"type":"double","value":2147483648})"},
      {u"Math.pow(2, 40)", R"(ok {"type":"double","value":1099511627776})"},
      {u"null", R"(ok {"type":"null","value":null})"},
      {u"undefined", R"(ok {"type":"undefined","value":"undefined"})"},
      {u"false", R"(ok {"type":"boolean","value":false})"},
  });
}

TEST(ScriptValueJsonTest, StringsArriveWhole) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  ExpectAnswers(page, {
      {u"'before\\u0000after'", R"(ok {"type":"string","value":"before\u0000after"})"},
      {u"'\\u0000'", R"(ok {"type":"string","value":"\u0000"})"},
      {u"['a\\u0000b', '\\u0000']",
       R"(ok {"type":"array","value":[{"type":"string","value":"a\u0000b"},{"type":"string","value":"\u0000"}]})"},
      {u"['\\ud83d\\ude00', 'lone \\ud800']",
       "ok {\"type\":\"array\",\"value\":[{\"type\":\"string\",\"value\":\"\xF0\x9F\x98\x80\"},"
       R"({"type":"string","value":"lone \uD800"}]})"},
      {u"let f = (x) => `v${x}`; class A { get x() { return 7; } }; f(new A().x)", R"(ok {"type":"string","value":"v7"})"},
  });
}

TEST(ScriptValueJsonTest, ArraysListTheirElementsOneLevelDeep) {
  KestrunPage page("function named() {} var holder = {};");
  ASSERT_TRUE(page.process());
  ExpectAnswers(page, {
      {u"[NaN, Infinity]", R"(ok {"type":"array","value":[{"type":"double","value":NaN},{"type":"double","value":Infinity}]})"},
      {u"[true, null, undefined]",
       R"(ok {"type":"array","value":[{"type":"boolean","value":true},{"type":"null","value":"null"},)"
       R"({"type":"undefined","value":"undefined"}]})"},
      {u"[named, holder, Symbol()]",
       R"(ok {"type":"array","value":[{"type":"function","value":"unsupport"},{"type":"object","value":"unsupport"},{}]})"},
      // Nested arrays keep their tag alone, so cycles and depth cost nothing.
      {u"[[], [1, , [2]]]", R"(ok {"type":"array","value":[{"type":"array"},{"type":"array"}]})"},
      {u"[1, , 3]", R"(ok {"type":"array","value":[{"type":"integer","value":1},{"type":"undefined","value":"undefined"},{"type":"integer","value":3}]})"},
      {u"var cyclic = [1]; cyclic.push(cyclic); cyclic", R"(ok {"type":"array","value":[{"type":"integer","value":1},{"type":"array"}]})"},
      {u"var deep = []; for (let i = 0; i < 100000; i++) deep = [deep]; deep", R"(ok {"type":"array","value":[{"type":"array"}]})"},
      {u"Object.defineProperty([7], 1, { get() { throw 1; } })", R"(ok {"type":"array","value":[{"type":"integer","value":7},{}]})"},
  });
}

TEST(ScriptValueJsonTest, DatesAreShownInTheLocalZone) {
  {
    const lumarine_testing::ScopedEnv time_zone("TZ", std::string("JST-9"));
    KestrunPage page;
    ASSERT_TRUE(page.process());
    ExpectAnswers(page, {
        {u"[new Date(Date.UTC(2024, 0, 15, 20, 30, 45, 5))]", R"(ok {"type":"array","value":[{"type":"datetime","value":"2024-01-16 05:30:45.005"}]})"},
        // Outside the years 0 to 10000 the time is still converted.
        {u"new Date(Date.UTC(12000, 5, 1))", R"(ok {"type":"datetime","value":"12000-06-01 09:00:00.000"})"},
        {u"var d = new Date(0); d.setUTCFullYear(-500, 1, 29); d", R"(ok {"type":"datetime","value":"-500-03-01 09:00:00.000"})"},
        {u"new Date(NaN)", R"(ok {"type":"datetime","value":"Invalid Date"})"},
    });
  }
  const lumarine_testing::ScopedEnv time_zone("TZ", std::string("CET-1CEST,M3.5.0,M10.5.0/3"));
  KestrunPage page;
  ASSERT_TRUE(page.process());
  ExpectAnswers(page, {
      {u"new Date(Date.UTC(2024, 6, 1, 12))", R"(ok {"type":"datetime","value":"2024-07-01 14:00:00.000"})"},
      {u"new Date(Date.UTC(2024, 11, 31, 23, 30))", R"(ok {"type":"datetime","value":"2025-01-01 00:30:00.000"})"},
  });
}

TEST(ScriptEvaluationTest, ThrownValuesAreAnsweredAsErrorObjects) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  ExpectAnswers(page, {
      {u"throw new Error('oops')", "failed " + Error(R"(Uncaught Error: oops\n@ eval.js:1:6)")},
      {u"throw null", "failed " + Error(R"(Uncaught null\n@ eval.js:1:0)")},
      {u"throw 'a\\u0000b'", "failed " + Error(R"(Uncaught a\u0000b\n@ eval.js:1:0)")},
      // A value that is not an Error is shown as String() shows it, or by a
      // fixed text where even that throws.
      {u"throw Symbol('s')", "failed " + Error(R"(Uncaught Symbol(s)\n@ eval.js:1:6)")},
      {u"throw Object.create(null)", "failed " + Error(R"(Uncaught #<Object>\n@ eval.js:1:13)")},
      {u"throw {toString() { throw 1; }}", "failed " + Error(R"(Uncaught #<Object>\n@ eval.js:1:7)")},
      {u"throw new Proxy({}, {get() { throw 1; }})", "failed " + Error(R"(Uncaught #<Object>\n@ eval.js:1:6)")},
  });
  EXPECT_THAT(page.EvaluateAsync(u"("), StartsWith(R"(failed {"type":"error","value":"Uncaught SyntaxError: )"));
}

TEST(ScriptEvaluationTest, LinesCountFromTheStartLineAndNeverWrap) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  EXPECT_EQ(page.EvaluateAsync(u"\n  throw 'text'", kMainFrame, 3), "failed " + Error(R"(Uncaught text\n@ eval.js:4:2)"));
  EXPECT_EQ(page.EvaluateAsync(u"\nthrow 1", kMainFrame, 2147483647),
            "failed " + Error(R"(Uncaught 1\n@ eval.js:2147483647:0)"));
}

TEST(ScriptEvaluationTest, ResultsTooLargeToCarryAreErrors) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  ExpectAnswers(page, {
      // 2^32 - 1 holes, a string of 2^25 units.
      {u"var sparse = []; sparse.length = 4294967295; sparse",
       "failed " + Error("The script's result cannot be converted to JSON text.")},
      {u"'x'.repeat(1 << 25)", "failed " + Error("The script's result cannot be converted to JSON text.")},
  });
}

TEST(ScriptEvaluationTest, RequestsWithoutAPageAreAnsweredWithAnError) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  // A frame that is gone is answered through the main frame; a frame
  // without a page has no context.
  EXPECT_EQ(page.EvaluateAsync(u"1", 99), "failed " + kFrameGone);
  page.process()->LoadPage(kBrowser, 11, false, "sub.js", "");
  page.process()->DetachFrame(kBrowser, 11);
  EXPECT_EQ(page.EvaluateAsync(u"1", 11), "failed " + kFrameGone);
  page.process()->CreateBrowser(2, 20);
  page.process()->SendProcessMessage(2, 20, Message(kEvaluateJavascriptRequestAsync, u"1"));
  const auto no_context = page.Next(kEvaluateJavascriptResponseAsync);
  ASSERT_TRUE(no_context);
  EXPECT_EQ(no_context->message->GetArgumentList()->GetString(1).ToString(), Error("Unable to Enter Context"));
  EXPECT_EQ(page.EvaluateAsync(u"'still here'"), R"(ok {"type":"string","value":"still here"})");
}

TEST(ScriptEvaluationTest, SynchronousEvaluationAnswersThroughExecJs) {
  KestrunPage page("var counter = 0;", {"--cefshim-trace"});
  ASSERT_TRUE(page.process());
  const platform::WString first = UniqueObjectId();
  const platform::WString second = UniqueObjectId();
  page.StartService(first);
  page.Send(kSaveWebBrowserObjectID, second);  // the service keeps its first name
  page.RequestSync(u"++counter * 2");
  EXPECT_EQ(CallExecJs(first), R"(0 {"type":"integer","value":2})");
  page.RequestSync(u"'a\\u0000b'");  // the slot and the channel carry the escaped NUL
  EXPECT_EQ(CallExecJs(first), R"(0 {"type":"string","value":"a\u0000b"})");
  page.RequestSync(u"throw new Error('sync')");
  EXPECT_EQ(CallExecJs(first), "0 " + Error(R"(Uncaught Error: sync\n@ eval.js:1:6)"));
  page.RequestSync(u"1", 99);
  EXPECT_EQ(CallExecJs(first), "0 " + kFrameGone);
  EXPECT_EQ(CallExecJs(first, u"execJS"), "0 ");  // other names answer at once, empty
  EXPECT_EQ(CallExecJs(second), "1 ");
  page.process()->CloseConnection();
  ExpectExitCodeZero(*page.process());
  EXPECT_THAT(DispatchAnswers(page.process()->Output()),
              ElementsAre("\"SaveWebBrowserObjectID\" true", "\"SaveWebBrowserObjectID\" true",
                          "\"EvaluateJavascriptRequestSync\" true", "\"EvaluateJavascriptRequestSync\" true",
                          "\"EvaluateJavascriptRequestSync\" false", "\"EvaluateJavascriptRequestSync\" false"));
}

// Each evaluation compiles a script that is garbage once it has run; a long
// stream of them must not pile it up until the collector's own limits.
TEST(ScriptEvaluationTest, ALongStreamOfEvaluationsKeepsTheRendererNearItsLiveSize) {
  if (lumarine_testing::BuildSlowdown() > 1) GTEST_SKIP() << "a sanitizer keeps freed memory in quarantine";
  KestrunPage page;
  ASSERT_TRUE(page.process());
  EXPECT_EQ(page.EvaluateAsync(u"1+1"), R"(ok {"type":"integer","value":2})");
  const std::optional<std::int64_t> growth = GrowthOverAStream(page, u"1+1", 100000);
  ASSERT_TRUE(growth) << "an evaluation went unanswered";
  EXPECT_LT(*growth, std::int64_t{16} << 20);
}

TEST(ScriptEvaluationTest, AStreamOfEvaluationsThatEachDropABufferKeepsTheRendererNearItsLiveSize) {
  // The garbage is memory that objects own rather than the objects: a
  // renderer that counted only the objects between evaluations would let
  // tens of megabytes pile up.
  if (lumarine_testing::BuildSlowdown() > 1) GTEST_SKIP() << "a sanitizer keeps freed memory in quarantine";
  KestrunPage page;
  ASSERT_TRUE(page.process());
  const char16_t* const kDropsABuffer = u"var last = new ArrayBuffer(1 << 20); last.byteLength";
  EXPECT_EQ(page.EvaluateAsync(kDropsABuffer), R"(ok {"type":"integer","value":1048576})");
  const std::optional<std::int64_t> growth = GrowthOverAStream(page, kDropsABuffer, 2000);
  ASSERT_TRUE(growth) << "an evaluation went unanswered";
  EXPECT_LT(*growth, std::int64_t{16} << 20);
}

TEST(ScriptEvaluationTest, TheSlotHoldsAtMostOneSignal) {
  KestrunPage page("", {"--cefshim-trace"});
  ASSERT_TRUE(page.process());
  const platform::WString id = UniqueObjectId();
  page.Send(kSaveWebBrowserObjectID, id);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(page.EvaluateAsync(u"1"), R"(ok {"type":"integer","value":1})");
  // Each handler signals after its answer: once a later message has been
  // handled, all three have. They left one signal, which this call takes.
  page.Send(u"Settle", u"");
  ASSERT_TRUE(page.process()->WaitForOutput("OnProcessMessageReceived(\"Settle\") returned false", kPatience))
      << "Settle was never handled";
  EXPECT_EQ(CallExecJs(id), "0 ");
  ExecJsCall waiting(id);
  ASSERT_TRUE(waiting.WaitUntilServed()) << "the service never ran ExecJS";
  page.RequestSync(u"'late'");
  EXPECT_EQ(waiting.Reply(), R"(0 {"type":"string","value":"late"})");
}

TEST(ScriptEvaluationTest, TheRendererEndsWithItsHostWhileAScriptLoops) {
  {
    SCOPED_TRACE("the page script loops");
    KestrunPage page("WebBrowser.Invoke(1, 'looping'); for (;;) {}");
    ASSERT_TRUE(page.process());
    ASSERT_TRUE(page.Next(kInvokeWebBrowser));
    page.process()->Disconnect();
    ExpectExitCodeZero(*page.process());
  }
  SCOPED_TRACE("an evaluation loops while the service runs");
  KestrunPage page;
  ASSERT_TRUE(page.process());
  page.Send(kSaveWebBrowserObjectID, UniqueObjectId());
  page.process()->SendProcessMessage(
      kBrowser, kMainFrame, Message(kEvaluateJavascriptRequestAsync, u"WebBrowser.Invoke(2, 'looping'); while (true) {}"));
  ASSERT_TRUE(page.Next(kInvokeWebBrowser));
  page.process()->Disconnect();
  ExpectExitCodeZero(*page.process());
}

TEST(ScriptEvaluationTest, KillRequestEndsTheRendererWhileExecJsWaits) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  const platform::WString id = UniqueObjectId();
  page.StartService(id);
  ExecJsCall waiting(id);
  ASSERT_TRUE(waiting.WaitUntilServed()) << "the service never ran ExecJS";
  page.Send(kKillKestrunRequest, u"");
  ExpectExitCodeZero(*page.process());
  EXPECT_EQ(waiting.Reply(), "1 ");
}

}  // namespace
}  // namespace Kestrun::testing
