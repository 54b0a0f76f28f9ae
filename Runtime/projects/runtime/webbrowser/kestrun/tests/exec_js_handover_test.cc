// "ExecJS" on a server thread of its own against a render thread that keeps
// storing results: every reply is one evaluation's code with its own texts.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "javascript_processor_handler.h"
#include "platform/wide_string.h"
#include "renderer_state.h"

namespace Kestrun {
namespace {

TEST(ExecJsHandOverTest, RepliesNeverMixTwoEvaluations) {
  std::unique_ptr<RendererState> state = RendererState::Create();
  ASSERT_TRUE(state);
  CJavaScriptProcessorHandler handler(&state->slot, &state->eventCalls);
  constexpr int kReplies = 2000;
  std::atomic<bool> replied_enough{false};
  std::thread render_thread([&] {
    for (int i = 1; !replied_enough; ++i) {
      state->slot.ClearTexts();
      const platform::WString number = platform::IntToW(i);
      // Even evaluations succeed, odd ones fail.
      state->slot.Store(i, i % 2 == 0 ? u"result " + number : u"", i % 2 == 0 ? u"" : u"error " + number);
      state->slot.Signal();
    }
  });
  for (int replies = 0; replies < kReplies; ++replies) {
    const platform::WChar* result = u"untouched";
    const platform::WChar* error = u"untouched";
    const int code = handler.Invoke(u"ExecJS", nullptr, &result, &error);
    // The texts may already be cleared for the next evaluation, never mixed.
    const platform::WString number = platform::IntToW(code);
    const platform::WString reply =
        platform::WString(result ? result : u"-") + u" | " + platform::WString(error ? error : u"-");
    if (reply != u"- | -") {
      EXPECT_EQ(reply, code % 2 == 0 ? u"result " + number + u" | -" : u"- | error " + number);
    }
    handler.AfterCall();
  }
  replied_enough = true;
  render_thread.join();
  const platform::WChar* result = u"untouched";
  EXPECT_EQ(handler.Invoke(u"execjs", nullptr, &result, nullptr), 0);
  EXPECT_EQ(platform::WString(result), u"untouched");
}

}  // namespace
}  // namespace Kestrun
