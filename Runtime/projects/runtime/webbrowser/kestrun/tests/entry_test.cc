// Kestrun's entry end to end: the process kind chosen by the "type" switch.
#include <gtest/gtest.h>

#include "kestrun_process.h"
#include "message_names.h"

namespace Kestrun::testing {
namespace {

TEST(EntryTest, WithoutTypeSwitchShowsTheBrowserNoticeAndExits) {
  auto kestrun = StartKestrun({"--cefshim-trace"});
  ASSERT_TRUE(kestrun);
  // The connection stays open: only a process that runs no loop ends here.
  ExpectExitCodeZero(*kestrun);
  EXPECT_EQ(kestrun->Output(), "Debug: Browser Process\n");
}

TEST(EntryTest, RendererKindDispatchesAndEndsOnTheKillRequest) {
  for (const char* renderer : {"--type=renderer", "-type=renderer"}) {
    SCOPED_TRACE(renderer);
    auto kestrun = StartKestrun({renderer});
    ASSERT_TRUE(kestrun);
    kestrun->CreateBrowser(1, 10);
    kestrun->SendProcessMessage(1, 10, Message(kKillKestrunRequest));
    ExpectExitCodeZero(*kestrun);  // without closing the connection
    EXPECT_EQ(kestrun->Output(), "");
  }
}

TEST(EntryTest, KillRequestWorksWithoutAKnownFrame) {
  auto kestrun = StartKestrun({"--type=renderer"});
  ASSERT_TRUE(kestrun);
  kestrun->SendProcessMessage(7, 70, CefProcessMessage::Create(kKillKestrunRequest));
  ExpectExitCodeZero(*kestrun);
}

TEST(EntryTest, EveryOtherTypeValueGivesTheKindWithoutHandlers) {
  for (const char* other : {"--type=Renderer", "--type=renderer2", "--type=", "--type", "--type=gpu-process"}) {
    SCOPED_TRACE(other);
    auto kestrun = StartKestrun({other, "--cefshim-trace"});
    ASSERT_TRUE(kestrun);
    kestrun->CreateBrowser(1, 10);
    kestrun->SendProcessMessage(1, 10, Message(kKillKestrunRequest));
    EXPECT_TRUE(kestrun->WaitForOutput(
        "cefshim: process message \"KillKestrunRequest\" dropped: no render process handler", kPatience))
        << kestrun->Output();
    EXPECT_FALSE(kestrun->WaitForExit(std::chrono::milliseconds(0))) << "the kill request was obeyed";
    kestrun->CloseConnection();
    ExpectExitCodeZero(*kestrun);
  }
}

}  // namespace
}  // namespace Kestrun::testing
