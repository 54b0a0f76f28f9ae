// The renderer's message dispatch end to end, through a real Kestrun.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "kestrun_process.h"
#include "message_names.h"

namespace Kestrun::testing {
namespace {

using ::testing::ElementsAre;

TEST(DispatchTest, NamesCompareExactlyAndIdentifiersMustBeNonEmpty) {
  auto kestrun = StartKestrun({"--type=renderer", "--cefshim-trace"});
  ASSERT_TRUE(kestrun);
  kestrun->CreateBrowser(1, 10);
  kestrun->SendProcessMessage(1, 10, Message(u"NoSuchMessage"));
  kestrun->SendProcessMessage(1, 10, Message(u"SaveWebBrowserObjectId", u"id"));
  kestrun->SendProcessMessage(1, 10, Message(u"killkestrunrequest"));
  kestrun->SendProcessMessage(1, 10, Message(kSaveWebBrowserObjectID, u""));
  kestrun->SendProcessMessage(1, 10, Message(kSaveWebBrowserObjectID, u"first"));
  kestrun->SendProcessMessage(1, 10, Message(kSaveWebBrowserObjectID, u""));
  kestrun->SendProcessMessage(9, 90, Message(kSaveWebBrowserObjectID, u"second"));
  kestrun->CloseConnection();
  ExpectExitCodeZero(*kestrun);
  EXPECT_THAT(DispatchAnswers(kestrun->Output()),
              ElementsAre("\"NoSuchMessage\" false", "\"SaveWebBrowserObjectId\" false", "\"killkestrunrequest\" false",
                          "\"SaveWebBrowserObjectID\" false", "\"SaveWebBrowserObjectID\" true",
                          "\"SaveWebBrowserObjectID\" false", "\"SaveWebBrowserObjectID\" true"));
}

TEST(DispatchTest, AMissingOrShortPackedIdDoesNotHarmTheRenderer) {
  auto kestrun = StartKestrun({"--type=renderer", "--cefshim-trace"});
  ASSERT_TRUE(kestrun);
  kestrun->CreateBrowser(1, 10);
  CefRefPtr<CefProcessMessage> no_id = CefProcessMessage::Create(kSaveWebBrowserObjectID);
  no_id->GetArgumentList()->SetString(1, "id-without-packed-id");
  kestrun->SendProcessMessage(1, 10, no_id);
  CefRefPtr<CefProcessMessage> short_id = CefProcessMessage::Create(kSaveWebBrowserObjectID);
  const std::uint8_t two_bytes[] = {0, 1};
  short_id->GetArgumentList()->SetBinary(0, CefBinaryValue::Create(two_bytes, sizeof two_bytes));
  short_id->GetArgumentList()->SetString(1, "id-with-short-packed-id");
  kestrun->SendProcessMessage(1, 10, short_id);
  kestrun->SendProcessMessage(1, 10, CefProcessMessage::Create(kSaveWebBrowserObjectID));  // no arguments
  kestrun->CloseConnection();
  ExpectExitCodeZero(*kestrun);
  EXPECT_THAT(DispatchAnswers(kestrun->Output()),
              ElementsAre("\"SaveWebBrowserObjectID\" true", "\"SaveWebBrowserObjectID\" true",
                          "\"SaveWebBrowserObjectID\" false"));
}

}  // namespace
}  // namespace Kestrun::testing
