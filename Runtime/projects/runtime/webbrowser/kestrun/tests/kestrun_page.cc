#include "kestrun_page.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "kestrun_process.h"
#include "message_names.h"
#include "platform/unicode.h"
#include "reference_channel.h"
#include "rpc/file_mapping_client.h"

namespace Kestrun::testing {
namespace {

// How far apart reference::OpenSemaphore tries again.
constexpr std::chrono::milliseconds kServiceLookPeriod{50};

CefRefPtr<CefProcessMessage> EvaluationRequest(const char16_t* name, const platform::WString& code, int start_line) {
  CefRefPtr<CefProcessMessage> request = Message(name, code.c_str());
  request->GetArgumentList()->SetString(2, "eval.js");
  request->GetArgumentList()->SetInt(3, start_line);
  return request;
}

std::string Call(const platform::WString& identifier, const platform::WString& function, IRPCLogger* logger) {
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.SetLogger(logger, nullptr);
  client.Connect((u"Local\\" + identifier + u"_SECJS_Server").c_str(), 0);
  const platform::WChar* result = nullptr;
  const platform::WChar* error = nullptr;
  const int code = client.Call(function.c_str(), u"", &result, &error);
  const platform::WChar* text = result != nullptr ? result : error;
  return std::to_string(code) + " " + (text != nullptr ? platform::Utf16ToUtf8(text) : "");
}

}  // namespace

platform::WString UniqueObjectId() {
  static std::atomic<int> counter{0};
  return u"object" + platform::Utf8ToUtf16(std::to_string(++counter));
}

KestrunPage::KestrunPage(const std::string& script, const std::vector<std::string>& arguments) {
  std::vector<std::string> all = {"--type=renderer"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  process_ = StartKestrun(all);
  if (!process_) return;
  process_->CreateBrowser(kBrowser, kMainFrame);
  process_->LoadPage(kBrowser, kMainFrame, true, "page.js", script);
}

void KestrunPage::Send(const char16_t* name, const platform::WString& text, std::int64_t frame) {
  process_->SendProcessMessage(kBrowser, frame, Message(name, text.c_str()));
}

void KestrunPage::StartService(const platform::WString& identifier) {
  Send(kSaveWebBrowserObjectID, identifier);
  const rpc_test::reference::Names names(u"Local\\" + identifier + u"_SECJS_Server");
  const int tries = static_cast<int>(kPatience / kServiceLookPeriod);
  EXPECT_TRUE(rpc_test::reference::OpenSemaphore(names.server1, tries)) << "the renderer's service never started";
}

std::string KestrunPage::EvaluateAsync(const platform::WString& code, std::int64_t frame, int start_line) {
  process_->SendProcessMessage(kBrowser, frame, EvaluationRequest(kEvaluateJavascriptRequestAsync, code, start_line));
  const auto response = Next(kEvaluateJavascriptResponseAsync);
  if (!response) return "<no answer to " + platform::Utf16ToUtf8(code) + ">";
  CefRefPtr<CefListValue> arguments = response->message->GetArgumentList();
  const bool success = arguments->GetBool(0);
  EXPECT_EQ(arguments->GetType(success ? 1 : 2), success ? VTYPE_NULL : VTYPE_INVALID) << "the other index is set";
  return (success ? "ok " : "failed ") + arguments->GetString(success ? 2 : 1).ToString();
}

void KestrunPage::RequestSync(const platform::WString& code, std::int64_t frame) {
  process_->SendProcessMessage(kBrowser, frame, EvaluationRequest(kEvaluateJavascriptRequestSync, code, 1));
}

std::optional<cefshim::host::ReceivedMessage> KestrunPage::Next(const CefString& name) {
  std::optional<cefshim::host::ReceivedMessage> received = process_->WaitForMessage(name, kPatience);
  EXPECT_TRUE(received) << "waited in vain for " << name.ToString() << "; output:\n" << process_->Output();
  return received;
}

std::string CallExecJs(const platform::WString& identifier, const platform::WString& function) {
  return Call(identifier, function, nullptr);
}

// Sees the client wait for the reply ("WB5."): the server runs the function.
class ExecJsCall::Logger : public IRPCLogger {
 public:
  void Log(const platform::WChar* text) override {
    if (platform::WStringView(text).substr(0, 4) == u"WB5.") Wake(true);
  }
  void Wake(bool served) {
    if (served) served_ = true;
    if (!woken_.exchange(true)) wake_.set_value();
  }
  bool WaitUntilServed() {
    woken_future_.wait_for(kPatience);
    return served_;
  }

 private:
  std::atomic<bool> served_{false};
  std::atomic<bool> woken_{false};
  std::promise<void> wake_;
  std::future<void> woken_future_ = wake_.get_future();
};

ExecJsCall::ExecJsCall(const platform::WString& identifier) : logger_(std::make_unique<Logger>()) {
  reply_ = std::async(std::launch::async, [this, identifier] {
    std::string reply = Call(identifier, u"ExecJS", logger_.get());
    logger_->Wake(false);
    return reply;
  });
}

ExecJsCall::~ExecJsCall() {
  if (reply_.valid()) reply_.wait();
}

bool ExecJsCall::WaitUntilServed() { return logger_->WaitUntilServed(); }

std::string ExecJsCall::Reply() { return reply_.get(); }

}  // namespace Kestrun::testing
