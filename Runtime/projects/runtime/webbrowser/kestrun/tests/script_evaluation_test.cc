// Script evaluation end to end: the control's requests to a real Kestrun,
// answered as JSON text by message or through "ExecJS".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "kestrun_page.h"
#include "kestrun_process.h"
#include "message_names.h"
#include "platform/unicode.h"
#include "testing/scoped_env.h"

namespace Kestrun::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

struct Case {
  const char16_t* code;
  const char* json;
};

Answer Success(const std::string& json) { return Answer{true, json}; }
Answer Failure(const std::string& message) { return Answer{false, R"({"type":"error","value":")" + message + "\"}"}; }

void ExpectValues(KestrunPage& page, std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(page.EvaluateAsync(c.code), Success(c.json)) << platform::Utf16ToUtf8(c.code);
}

TEST(ScriptValueJsonTest, PrimitivesFunctionsAndObjects) {
  KestrunPage page("function named() {} var holder = { inner: 1 };");
  ASSERT_TRUE(page.process());
  ExpectValues(page, {
      {u"1 + 1", R"({"type":"integer","value":2})"},
      {u"-2147483648", R"({"type":"integer","value":-2147483648})"},
      {u"2.5", R"({"type":"double","value":2.5})"},
      {u"-0", R"({"type":"double","value":0})"},
      {u"Math.pow(2, 31)", R"({"type":"double","value":2147483648})"},
      {u"Math.pow(2, 40)", R"({"type":"double","value":1099511627776})"},
      {u"NaN", R"({"type":"double","value":NaN})"},
      {u"-Infinity", R"({"type":"double","value":-Infinity})"},
      {u"true", R"({"type":"boolean","value":true})"},
      {u"null", R"({"type":"null","value":null})"},
      {u"undefined", R"({"type":"undefined","value":"undefined"})"},
      {u"'quote \" and \\\\ and \\n'", R"({"type":"string","value":"quote \" and \\ and \n"})"},
      {u"'\\ud83d\\ude00 beyond U+FFFF'", "{\"type\":\"string\",\"value\":\"\xF0\x9F\x98\x80 beyond U+FFFF\"}"},
      {u"'lone \\ud800 surrogate'", R"({"type":"string","value":"lone \uD800 surrogate"})"},
      // The generator takes zero-terminated text: a string ends at its NUL.
      {u"'before\\u0000after'", R"({"type":"string","value":"before"})"},
      {u"named", R"({"type":"function","value":"unsupport"})"},
      {u"() => 1", R"({"type":"function","value":"unsupport"})"},
      {u"holder", R"({"type":"object","value":"unsupport"})"},
      {u"new String('boxed')", R"({"type":"object","value":"unsupport"})"},
      {u"Symbol('s')", "{}"},
      {u"10n", "{}"},
      {u"let f = (x) => `v${x}`; class A { get x() { return 7; } }; f(new A().x)", R"({"type":"string","value":"v7"})"},
  });
}

TEST(ScriptValueJsonTest, ArraysListTheirElementsOneLevelDeep) {
  KestrunPage page("function named() {}");
  ASSERT_TRUE(page.process());
  ExpectValues(page, {
      {u"[]", R"({"type":"array","value":[]})"},
      {u"[1, 'a', [2]]",
       R"({"type":"array","value":[{"type":"integer","value":1},{"type":"string","value":"a"},{"type":"array"}]})"},
      {u"[null, undefined, named, false, 2.5, {}]",
       R"({"type":"array","value":[{"type":"null","value":"null"},{"type":"undefined","value":"undefined"},)"
       R"({"type":"function","value":"unsupport"},{"type":"boolean","value":false},{"type":"double","value":2.5},)"
       R"({"type":"object","value":"unsupport"}]})"},
      {u"[1, , 3]",
       R"({"type":"array","value":[{"type":"integer","value":1},{"type":"undefined","value":"undefined"},)"
       R"({"type":"integer","value":3}]})"},
      {u"[Symbol('s')]", R"({"type":"array","value":[{}]})"},
      {u"var cyclic = [1]; cyclic.push(cyclic); cyclic",
       R"({"type":"array","value":[{"type":"integer","value":1},{"type":"array"}]})"},
      {u"var deep = []; for (let i = 0; i < 100000; i++) deep = [deep]; deep",
       R"({"type":"array","value":[{"type":"array"}]})"},
      {u"Object.defineProperty([7, 8], 1, { get() { throw new Error('no'); } })",
       R"({"type":"array","value":[{"type":"integer","value":7},{}]})"},
  });
}

TEST(ScriptValueJsonTest, DatesAreShownInTheLocalZoneWithTheirOwnMilliseconds) {
  struct ZoneCase {
    const char* zone;
    const char16_t* code;
    const char* json;
  };
  const ZoneCase cases[] = {
      {"JST-9", u"new Date(Date.UTC(2024, 0, 15, 20, 30, 45, 5))", R"({"type":"datetime","value":"2024-01-16 05:30:45.005"})"},
      {"JST-9", u"[new Date(Date.UTC(2024, 0, 15, 20, 30, 45, 5))]",
       R"({"type":"array","value":[{"type":"datetime","value":"2024-01-16 05:30:45.005"}]})"},
      // Outside the years 0 to 10000 the time is still converted, not replaced.
      {"JST-9", u"new Date(Date.UTC(12000, 5, 1))", R"({"type":"datetime","value":"12000-06-01 09:00:00.000"})"},
      {"JST-9", u"var d = new Date(0); d.setUTCFullYear(-500, 1, 29); d",
       R"({"type":"datetime","value":"-500-03-01 09:00:00.000"})"},
      {"JST-9", u"new Date(-1)", R"({"type":"datetime","value":"1970-01-01 08:59:59.999"})"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", u"new Date(Date.UTC(2024, 6, 1, 12))",
       R"({"type":"datetime","value":"2024-07-01 14:00:00.000"})"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", u"new Date(Date.UTC(2024, 11, 31, 23, 59, 59, 999))",
       R"({"type":"datetime","value":"2025-01-01 00:59:59.999"})"},
      {"UTC0", u"new Date(NaN)", R"({"type":"datetime","value":"Invalid Date"})"},
  };
  for (const ZoneCase& c : cases) {
    SCOPED_TRACE(c.zone);
    const lumarine_testing::ScopedEnv zone("TZ", std::string(c.zone));
    KestrunPage page;
    ASSERT_TRUE(page.process());
    EXPECT_EQ(page.EvaluateAsync(c.code), Success(c.json)) << platform::Utf16ToUtf8(c.code);
  }
}

TEST(ScriptEvaluationTest, FailuresAreAnsweredAsErrorObjects) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  EXPECT_EQ(page.EvaluateAsync(u"throw new Error('oops')"), Failure(R"(Uncaught Error: oops\n@ eval.js:1:6)"));
  EXPECT_EQ(page.EvaluateAsync(u"\n  throw 'text'", kMainFrame, 3), Failure(R"(Uncaught text\n@ eval.js:4:2)"));
  EXPECT_EQ(page.EvaluateAsync(u"throw null"), Failure(R"(Uncaught null\n@ eval.js:1:0)"));
  EXPECT_THAT(page.EvaluateAsync(u"(").json, StartsWith(R"({"type":"error","value":"Uncaught SyntaxError: )"));
  // Too large to carry: a sparse array of 2^32 - 1 holes, a string of 2^25 units.
  const Answer too_large = Failure("The script's result cannot be converted to JSON text.");
  EXPECT_EQ(page.EvaluateAsync(u"var sparse = []; sparse.length = 4294967295; sparse"), too_large);
  EXPECT_EQ(page.EvaluateAsync(u"'x'.repeat(1 << 25)"), too_large);
  // A frame that is gone is answered through the main frame; a frame
  // without a page has no context.
  EXPECT_EQ(page.EvaluateAsync(u"1", 99),
            Failure("Main Frame is no longer available, most likely the Frame has been Disposed or Removed."));
  page.process()->LoadPage(kBrowser, 11, false, "sub.js", "");
  page.process()->DetachFrame(kBrowser, 11);
  EXPECT_EQ(page.EvaluateAsync(u"1", 11),
            Failure("Main Frame is no longer available, most likely the Frame has been Disposed or Removed."));
  page.process()->CreateBrowser(2, 20);
  page.process()->SendProcessMessage(2, 20, Message(kEvaluateJavascriptRequestAsync, u"1"));
  const CefRefPtr<CefProcessMessage> no_context = page.NextMessage(kEvaluateJavascriptResponseAsync);
  ASSERT_TRUE(no_context);
  EXPECT_EQ(no_context->GetArgumentList()->GetString(1).ToString(), R"({"type":"error","value":"Unable to Enter Context"})");
  // The page still evaluates afterwards.
  EXPECT_EQ(page.EvaluateAsync(u"'still here'"), Success(R"({"type":"string","value":"still here"})"));
}

TEST(ScriptEvaluationTest, SynchronousEvaluationAnswersThroughExecJs) {
  KestrunPage page("var counter = 0;", {"--cefshim-trace"});
  ASSERT_TRUE(page.process());
  const platform::WString first = UniqueObjectId();
  const platform::WString second = UniqueObjectId();
  page.SaveObjectId(first);
  page.SaveObjectId(second);  // the service keeps its first name
  page.RequestSync(u"++counter * 2");
  EXPECT_EQ(CallExecJs(first), R"(0 {"type":"integer","value":2})");
  page.RequestSync(u"throw new Error('sync')");
  EXPECT_EQ(CallExecJs(first), R"(0 {"type":"error","value":"Uncaught Error: sync\n@ eval.js:1:6"})");
  page.RequestSync(u"1", 99);
  EXPECT_EQ(CallExecJs(first),
            R"(0 {"type":"error","value":"Main Frame is no longer available, most likely the Frame has been Disposed or Removed."})");
  // Any other name, even "ExecJS" in other letters, answers at once, empty.
  EXPECT_EQ(CallExecJs(first, u"execJS"), "0 ");
  EXPECT_EQ(CallExecJs(second), "1 ");
  page.RequestSync(u"counter");
  EXPECT_EQ(CallExecJs(first), R"(0 {"type":"integer","value":1})");
  page.process()->CloseConnection();
  ExpectExitCodeZero(*page.process());
  EXPECT_THAT(DispatchAnswers(page.process()->Output()),
              ElementsAre("\"SaveWebBrowserObjectID\" true", "\"SaveWebBrowserObjectID\" true",
                          "\"EvaluateJavascriptRequestSync\" true", "\"EvaluateJavascriptRequestSync\" false",
                          "\"EvaluateJavascriptRequestSync\" false", "\"EvaluateJavascriptRequestSync\" true"));
}

TEST(ScriptEvaluationTest, TheSlotHoldsAtMostOneSignal) {
  KestrunPage page("", {"--cefshim-trace"});
  ASSERT_TRUE(page.process());
  const platform::WString id = UniqueObjectId();
  page.SaveObjectId(id);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(page.EvaluateAsync(u"1").success);
  // Each handler signals after its answer: once a later message has been
  // handled, all three have.
  page.process()->SendProcessMessage(kBrowser, kMainFrame, Message(u"Settle"));
  ASSERT_TRUE(page.process()->WaitForOutput("OnProcessMessageReceived(\"Settle\") returned false", kPatience));
  // Three asynchronous evaluations left one signal: this call takes it and
  // finds the slot as no synchronous evaluation has left it.
  EXPECT_EQ(CallExecJs(id), "0 ");
  // So this one waits until the synchronous evaluation below has finished.
  ExecJsCall waiting(id);
  ASSERT_TRUE(waiting.WaitUntilServed());
  page.RequestSync(u"'late'");
  EXPECT_EQ(waiting.Reply(), R"(0 {"type":"string","value":"late"})");
}

TEST(ScriptEvaluationTest, KillRequestEndsTheRendererWhileExecJsWaits) {
  KestrunPage page;
  ASSERT_TRUE(page.process());
  const platform::WString id = UniqueObjectId();
  page.SaveObjectId(id);
  page.RequestSync(u"'first'");
  EXPECT_EQ(CallExecJs(id), R"(0 {"type":"string","value":"first"})");
  ExecJsCall waiting(id);
  ASSERT_TRUE(waiting.WaitUntilServed());
  page.process()->SendProcessMessage(kBrowser, kMainFrame, Message(kKillKestrunRequest));
  ExpectExitCodeZero(*page.process());
  EXPECT_EQ(waiting.Reply(), "1 ");
}

}  // namespace
}  // namespace Kestrun::testing
