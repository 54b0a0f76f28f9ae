// Pages and their script contexts end to end, through a real renderer
// (test_renderer.cc).
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "cef_string_printer.h"
#include "cef_values.h"
#include "cefshim/host/renderer_process.h"
#include "testing/patience.h"

namespace cefshim::host {
namespace {

const std::chrono::milliseconds kPatience = lumarine_testing::Patience();

class ScriptRuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    renderer_ = RendererProcess::Start(CEFSHIM_TEST_RENDERER, {"--type=renderer"}, &error);
    ASSERT_TRUE(renderer_) << error;
    renderer_->CreateBrowser(1, 10);
  }

  // The arguments of the next message named `name`.
  CefRefPtr<CefListValue> Next(const char* name) {
    std::optional<ReceivedMessage> message = renderer_->WaitForMessage(name, kPatience);
    EXPECT_TRUE(message) << "no " << name << "; output: " << renderer_->Output();
    return message ? message->message->GetArgumentList() : CefListValue::Create();
  }

  CefRefPtr<CefListValue> Eval(std::int64_t frame, const char* code) {
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("eval");
    message->GetArgumentList()->SetString(0, code);
    renderer_->SendProcessMessage(1, frame, message);
    return Next("eval");
  }

  std::unique_ptr<RendererProcess> renderer_;
};

TEST_F(ScriptRuntimeTest, APageGetsItsContextBeforeItsScriptRuns) {
  renderer_->LoadPage(1, 10, true, "https://example.test/page.js",
                      "var seen = typeof send; send('page-ran', seen, String(1 + 1));");
  CefRefPtr<CefListValue> created = Next("context-created");
  EXPECT_EQ(created->GetString(0), CefString("10"));
  EXPECT_TRUE(created->GetBool(1));
  EXPECT_TRUE(created->GetBool(2)) << "the context was not entered during OnContextCreated";
  CefRefPtr<CefListValue> ran = Next("page-ran");
  EXPECT_EQ(ran->GetString(0), CefString("function"));
  EXPECT_EQ(ran->GetString(1), CefString("2"));

  CefRefPtr<CefListValue> result = Eval(10, "seen + '/' + `${[1, 2].map(x => x * 2)}`");
  EXPECT_TRUE(result->GetBool(0));
  EXPECT_EQ(result->GetString(1), CefString("function/2,4"));
}

TEST_F(ScriptRuntimeTest, EveryLoadGetsANewContext) {
  renderer_->LoadPage(1, 10, true, "first.js", "var left = 'first';");
  Next("context-created");
  renderer_->LoadPage(1, 10, true, "second.js", "");
  EXPECT_EQ(Next("context-released")->GetString(0), CefString("10"));
  Next("context-created");
  CefRefPtr<CefListValue> result = Eval(10, "typeof left");
  EXPECT_EQ(result->GetString(1), CefString("undefined"));
}

TEST_F(ScriptRuntimeTest, SubFramesHaveContextsOfTheirOwn) {
  renderer_->LoadPage(1, 10, true, "main.js", "var where = 'main';");
  Next("context-created");
  renderer_->LoadPage(1, 11, false, "sub.js", "var where = 'sub';");
  CefRefPtr<CefListValue> sub = Next("context-created");
  EXPECT_EQ(sub->GetString(0), CefString("11"));
  EXPECT_FALSE(sub->GetBool(1));
  EXPECT_EQ(Eval(10, "where")->GetString(1), CefString("main"));
  EXPECT_EQ(Eval(11, "where")->GetString(1), CefString("sub"));

  renderer_->DetachFrame(1, 11);
  EXPECT_EQ(Next("context-released")->GetString(0), CefString("11"));
}

TEST_F(ScriptRuntimeTest, AnUncaughtExceptionIsReportedWithItsStack) {
  renderer_->LoadPage(1, 10, true, "thrower.js",
                      "function inner() {\n  throw new Error('oops');\n}\nfunction outer() { inner(); }\nouter();");
  CefRefPtr<CefListValue> uncaught = Next("uncaught");
  EXPECT_EQ(uncaught->GetString(0), CefString("Uncaught Error: oops"));
  EXPECT_EQ(uncaught->GetString(1), CefString("thrower.js"));
  EXPECT_EQ(uncaught->GetInt(2), 2);
  CefRefPtr<CefListValue> frames = uncaught->GetList(4);
  ASSERT_EQ(frames->GetSize(), 3u);
  EXPECT_EQ(frames->GetList(0)->GetString(0), CefString("inner"));
  EXPECT_EQ(frames->GetList(0)->GetInt(1), 2);
  EXPECT_EQ(frames->GetList(1)->GetString(0), CefString("outer"));
  EXPECT_EQ(frames->GetList(1)->GetInt(1), 4);
  EXPECT_TRUE(frames->GetList(2)->GetString(0).empty());
  EXPECT_EQ(frames->GetList(2)->GetString(3), CefString("thrower.js"));
}

TEST_F(ScriptRuntimeTest, RunawayRecursionIsAnExceptionNotACrash) {
  renderer_->LoadPage(1, 10, true, "deep.js", "function down(n) { return [down(n + 1)]; } down(0);");
  EXPECT_EQ(Next("uncaught")->GetString(0), CefString("Uncaught InternalError: too much recursion"));
  EXPECT_EQ(Eval(10, "'still ' + 'here'")->GetString(1), CefString("still here"));
}

TEST_F(ScriptRuntimeTest, EvalReportsItsExceptionsToTheCallerOnly) {
  renderer_->LoadPage(1, 10, true, "quiet.js", "");
  Next("context-created");
  CefRefPtr<CefListValue> thrown = Eval(10, "throw 'plain text'");
  EXPECT_FALSE(thrown->GetBool(0));
  EXPECT_EQ(thrown->GetString(2), CefString("Uncaught plain text"));
  CefRefPtr<CefListValue> syntax = Eval(10, "1 +* 2");
  EXPECT_FALSE(syntax->GetBool(0));
  EXPECT_EQ(syntax->GetString(2).ToString().rfind("Uncaught SyntaxError: ", 0), 0u) << syntax->GetString(2).ToString();
  CefRefPtr<CefListValue> native = Eval(10, "send(1)");
  EXPECT_EQ(native->GetString(2), CefString("Uncaught Error: send needs a message name"));
  renderer_->CloseConnection();
  EXPECT_FALSE(renderer_->WaitForMessage("uncaught", kPatience));
}

TEST_F(ScriptRuntimeTest, ExitingOnTheRenderThreadWithLivePagesIsClean) {
  renderer_->LoadPage(1, 10, true, "alive.js", "var kept = {big: new Array(1000).fill('x')};");
  Next("context-created");
  renderer_->SendProcessMessage(1, 10, CefProcessMessage::Create("exit"));
  const std::optional<ExitStatus> status = renderer_->WaitForExit(kPatience);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exited) << "killed by signal " << status->signal << "; output: " << renderer_->Output();
  EXPECT_EQ(status->code, 0);
}

TEST_F(ScriptRuntimeTest, EndOfInputWithLivePagesIsClean) {
  renderer_->LoadPage(1, 10, true, "main.js", "var kept = [1, 2, 3];");
  renderer_->LoadPage(1, 11, false, "sub.js", "var kept = {};");
  Next("context-created");
  renderer_->CloseConnection();
  const std::optional<ExitStatus> status = renderer_->WaitForExit(kPatience);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exited) << "killed by signal " << status->signal;
  EXPECT_EQ(status->code, 0) << "output (a leak report under the sanitizers): " << renderer_->Output();
}

TEST_F(ScriptRuntimeTest, UncaughtValuesThatAreNotErrorsAreShownAsText) {
  renderer_->LoadPage(1, 10, true, "symbol.js", "throw Symbol('s');");
  EXPECT_EQ(Next("uncaught")->GetString(0), CefString("Uncaught Symbol(s)"));
  renderer_->LoadPage(1, 10, true, "bare.js", "throw Object.create(null);");
  EXPECT_EQ(Next("uncaught")->GetString(0), CefString("Uncaught #<Object>"));
}

TEST_F(ScriptRuntimeTest, APageThatLoopsForEverEndsWithItsHost) {
  renderer_->LoadPage(1, 10, true, "loop.js", "send('looping'); for (;;) {}");
  renderer_->LoadPage(1, 11, false, "never.js", "send('never');");
  Next("looping");
  renderer_->Disconnect();
  const std::optional<ExitStatus> status = renderer_->WaitForExit(kPatience);
  ASSERT_TRUE(status) << "the renderer outlived its host, looping";
  EXPECT_TRUE(status->exited) << "killed by signal " << status->signal;
  EXPECT_EQ(status->code, 0) << renderer_->Output();
}

TEST_F(ScriptRuntimeTest, PromiseJobsRunAfterTheScript) {
  renderer_->LoadPage(1, 10, true, "async.js",
                      "(async () => { await null; send('after-await', 'yes'); })(); send('sync', 'first');");
  Next("sync");
  EXPECT_EQ(Next("after-await")->GetString(0), CefString("yes"));
}

}  // namespace
}  // namespace cefshim::host
