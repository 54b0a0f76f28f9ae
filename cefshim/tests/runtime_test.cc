// The renderer runtime end to end: a real renderer process (test_renderer.cc)
// driven through the host library.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "cef_string_printer.h"
#include "cef_values.h"
#include "cefshim/host/renderer_process.h"
#include "testing/patience.h"

namespace cefshim::host {
namespace {

const std::chrono::milliseconds kPatience = lumarine_testing::Patience();

std::unique_ptr<RendererProcess> StartRenderer(const std::vector<std::string>& arguments = {"--type=renderer"}) {
  std::string error;
  std::unique_ptr<RendererProcess> renderer = RendererProcess::Start(CEFSHIM_TEST_RENDERER, arguments, &error);
  EXPECT_TRUE(renderer) << error;
  return renderer;
}

CefRefPtr<CefProcessMessage> Message(const char* name) {
  return CefProcessMessage::Create(name);
}

// The renderer has ended with exit code 0.
void ExpectCleanExit(RendererProcess& renderer) {
  const std::optional<ExitStatus> status = renderer.WaitForExit(kPatience);
  ASSERT_TRUE(status) << "the renderer did not exit";
  EXPECT_TRUE(status->exited) << "killed by signal " << status->signal;
  EXPECT_EQ(status->code, 0) << renderer.Output();
}

// Sends "where" by the given ids and returns the reply's arguments.
CefRefPtr<CefListValue> Where(RendererProcess& renderer, int browser_id, std::int64_t frame_id) {
  EXPECT_TRUE(renderer.SendProcessMessage(browser_id, frame_id, Message("where")));
  std::optional<ReceivedMessage> reply = renderer.WaitForMessage("where", kPatience);
  EXPECT_TRUE(reply) << "no reply to \"where\"; output: " << renderer.Output();
  return reply ? reply->message->GetArgumentList() : CefListValue::Create();
}

TEST(RuntimeTest, MessagesTravelBothWaysWithEveryValueKind) {
  auto renderer = StartRenderer();
  ASSERT_TRUE(renderer);
  ASSERT_TRUE(renderer->CreateBrowser(1, 10));
  std::optional<ReceivedMessage> created = renderer->WaitForMessage("browser-created", kPatience);
  ASSERT_TRUE(created) << "no browser-created";
  EXPECT_EQ(created->browser_id, 1);
  EXPECT_EQ(created->frame_id, 10);

  CefRefPtr<CefProcessMessage> echo = Message("echo");
  CefRefPtr<CefListValue> arguments = echo->GetArgumentList();
  const std::u16string odd_text = {u'a', 0, 0xD800, 0xDE00, 0xDBFF};
  arguments->SetString(0, odd_text);
  arguments->SetDouble(1, -0.0);
  arguments->SetInt(2, INT32_MIN);
  const std::uint8_t bytes[] = {0, 0xFF, 7};
  arguments->SetBinary(3, CefBinaryValue::Create(bytes, sizeof bytes));
  CefRefPtr<CefDictionaryValue> dictionary = CefDictionaryValue::Create();
  dictionary->SetBool("flag", true);
  arguments->SetDictionary(5, dictionary);  // index 4 stays null
  ASSERT_TRUE(renderer->SendProcessMessage(1, 10, echo));

  std::optional<ReceivedMessage> reply = renderer->WaitForMessage("echo", kPatience);
  ASSERT_TRUE(reply) << "no echo; output: " << renderer->Output();
  EXPECT_EQ(reply->browser_id, 1);
  EXPECT_EQ(reply->frame_id, 10);
  CefRefPtr<CefListValue> back = reply->message->GetArgumentList();
  ASSERT_EQ(back->GetSize(), 6u);
  EXPECT_EQ(back->GetString(0).ToString16(), odd_text);
  EXPECT_TRUE(std::signbit(back->GetDouble(1)));
  EXPECT_EQ(back->GetInt(2), INT32_MIN);
  std::uint8_t read[3] = {};
  EXPECT_EQ(back->GetBinary(3)->GetData(read, 3, 0), 3u);
  EXPECT_EQ(read[1], 0xFF);
  EXPECT_EQ(back->GetType(4), VTYPE_NULL);
  EXPECT_TRUE(back->GetDictionary(5)->GetBool("flag"));

  renderer->CloseConnection();
  ExpectCleanExit(*renderer);
}

TEST(RuntimeTest, UnknownBrowsersAndFramesArriveAsNull) {
  auto renderer = StartRenderer();
  ASSERT_TRUE(renderer);
  renderer->CreateBrowser(1, 10);
  CefRefPtr<CefListValue> known = Where(*renderer, 1, 10);
  EXPECT_TRUE(known->GetBool(0));
  EXPECT_TRUE(known->GetBool(1));
  EXPECT_EQ(known->GetString(2), CefString("10"));

  CefRefPtr<CefListValue> unknown_frame = Where(*renderer, 1, 11);
  EXPECT_TRUE(unknown_frame->GetBool(0));
  EXPECT_FALSE(unknown_frame->GetBool(1));

  CefRefPtr<CefListValue> unknown_browser = Where(*renderer, 2, 10);
  EXPECT_FALSE(unknown_browser->GetBool(0));
  EXPECT_FALSE(unknown_browser->GetBool(1));
}

TEST(RuntimeTest, DetachedFramesAndDestroyedBrowsersAreGone) {
  auto renderer = StartRenderer();
  ASSERT_TRUE(renderer);
  renderer->CreateBrowser(1, 10);
  renderer->CreateBrowser(2, 20);  // the second browser carries replies once the first has no frame
  renderer->DetachFrame(1, 10);
  CefRefPtr<CefListValue> detached = Where(*renderer, 1, 10);
  EXPECT_TRUE(detached->GetBool(0));
  EXPECT_FALSE(detached->GetBool(1));
  EXPECT_FALSE(detached->GetBool(3)) << "the browser still has a main frame";
  EXPECT_FALSE(detached->GetBool(4)) << "the detached frame is still valid";

  renderer->DestroyBrowser(2);
  std::optional<ReceivedMessage> destroyed = renderer->WaitForMessage("browser-destroyed", kPatience);
  ASSERT_TRUE(destroyed) << "OnBrowserDestroyed could not send through its still valid frame";
  EXPECT_EQ(destroyed->message->GetArgumentList()->GetInt(0), 2);
  renderer->CreateBrowser(3, 30);
  CefRefPtr<CefListValue> gone = Where(*renderer, 2, 20);
  EXPECT_FALSE(gone->GetBool(0));
  EXPECT_FALSE(gone->GetBool(1));
}

TEST(RuntimeTest, EveryQueuedFrameIsHandledBeforeTheEndOfInput) {
  auto renderer = StartRenderer();
  ASSERT_TRUE(renderer);
  renderer->CreateBrowser(1, 10);
  for (int i = 0; i < 50; ++i) {
    CefRefPtr<CefProcessMessage> echo = Message("echo");
    echo->GetArgumentList()->SetInt(0, i);
    renderer->SendProcessMessage(1, 10, echo);
  }
  renderer->CloseConnection();
  for (int i = 0; i < 50; ++i) {
    std::optional<ReceivedMessage> reply = renderer->WaitForMessage("echo", kPatience);
    ASSERT_TRUE(reply) << "echo " << i << " missing";
    EXPECT_EQ(reply->message->GetArgumentList()->GetInt(0), i);
  }
  ExpectCleanExit(*renderer);
}

TEST(RuntimeTest, AMalformedFrameEndsTheConnectionCleanly) {
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
      {"length above 64 MiB", {1, 0, 0, 4, 1}},
      {"unknown kind", {1, 0, 0, 0, 9}},
      {"payload that does not parse", {5, 0, 0, 0, 1, 0, 0, 0, 0}},
      {"cut frame", {9, 0, 0, 0, 5, 1}},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    auto renderer = StartRenderer();
    ASSERT_TRUE(renderer);
    renderer->CreateBrowser(1, 10);
    renderer->SendProcessMessage(1, 10, Message("echo"));
    renderer->SendBytes(bytes);
    renderer->CloseConnection();
    EXPECT_TRUE(renderer->WaitForMessage("echo", kPatience)) << "a frame before the bad one was lost";
    ExpectCleanExit(*renderer);
    EXPECT_NE(renderer->Output().find("cefshim: connection ended: "), std::string::npos) << renderer->Output();
  }
}

TEST(RuntimeTest, HandlerExceptionsAndUnsendableMessagesAreReported) {
  auto renderer = StartRenderer();
  ASSERT_TRUE(renderer);
  renderer->CreateBrowser(1, 10);
  renderer->SendProcessMessage(1, 10, Message("throw"));
  renderer->SendProcessMessage(1, 10, Message("deep"));
  EXPECT_TRUE(renderer->WaitForMessage("after-deep", kPatience)) << "no after-deep";
  renderer->CloseConnection();
  ExpectCleanExit(*renderer);
  EXPECT_FALSE(renderer->WaitForMessage("deep", std::chrono::seconds(0)));
  const std::string output = renderer->Output();
  EXPECT_NE(output.find("a handler threw: test handler failure"), std::string::npos) << output;
  EXPECT_NE(output.find("process message \"deep\" not sent: values nested deeper"), std::string::npos) << output;
}

TEST(RuntimeTest, WithoutTypeSwitchTheProcessIsTheBrowser) {
  auto renderer = StartRenderer({});
  ASSERT_TRUE(renderer);
  ExpectCleanExit(*renderer);  // without closing the connection: no loop ran
  EXPECT_EQ(renderer->Output(), "browser process\n");
}

TEST(RuntimeTest, AMissingOrUnusableConnectionFailsTheStart) {
  // Switches end at "--", so the connection the host appends is not seen.
  auto missing = StartRenderer({"--type=renderer", "--"});
  ASSERT_TRUE(missing);
  std::optional<ExitStatus> status = missing->WaitForExit(kPatience);
  ASSERT_TRUE(status) << "the renderer without a connection did not exit";
  EXPECT_EQ(status->code, 1);
  EXPECT_NE(missing->Output().find("no usable --cefshim-ipc-fd=N switch"), std::string::npos) << missing->Output();

  auto not_socket = StartRenderer({"--type=renderer", "--cefshim-ipc-fd=1", "--"});
  ASSERT_TRUE(not_socket);
  status = not_socket->WaitForExit(kPatience);
  ASSERT_TRUE(status) << "the renderer on a descriptor that is no socket did not exit";
  EXPECT_EQ(status->code, 1);
  EXPECT_NE(not_socket->Output().find("descriptor 1 is not a stream socket"), std::string::npos);
}

TEST(RuntimeTest, AProgramThatCannotRunIsReported) {
  std::string error;
  EXPECT_FALSE(RendererProcess::Start("/nonexistent/renderer", {}, &error));
  EXPECT_NE(error.find("cannot run /nonexistent/renderer"), std::string::npos) << error;
}

// The host is a forked process that starts a renderer, blocks its render
// thread and is then killed; this test adopts the orphan to see how it ends.
TEST(RuntimeTest, ARendererDoesNotOutliveItsHost) {
  ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  const pid_t host = ::fork();
  ASSERT_GE(host, 0);
  if (host == 0) {
    ::close(report[0]);
    std::string error;
    auto renderer = RendererProcess::Start(CEFSHIM_TEST_RENDERER, {"--type=renderer"}, &error);
    if (!renderer) ::_exit(1);
    renderer->CreateBrowser(1, 10);
    renderer->SendProcessMessage(1, 10, CefProcessMessage::Create("block"));
    const pid_t pid = renderer->pid();
    (void)!::write(report[1], &pid, sizeof pid);
    for (;;) ::pause();
  }
  ::close(report[1]);
  pid_t renderer = 0;
  ASSERT_EQ(::read(report[0], &renderer, sizeof renderer), static_cast<ssize_t>(sizeof renderer));
  ::close(report[0]);
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, renderer, 0));
  ASSERT_GE(pidfd, 0);
  ::kill(host, SIGKILL);
  ::waitpid(host, nullptr, 0);

  pollfd ended{pidfd, POLLIN, 0};
  const int polled = ::poll(&ended, 1, static_cast<int>(std::chrono::milliseconds(kPatience).count()));
  ::close(pidfd);
  if (polled != 1) ::kill(renderer, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(renderer, &status, 0), renderer);
  EXPECT_EQ(polled, 1) << "the renderer outlived its host";
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

}  // namespace
}  // namespace cefshim::host
