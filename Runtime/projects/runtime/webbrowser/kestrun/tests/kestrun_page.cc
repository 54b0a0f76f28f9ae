#include "kestrun_page.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ostream>

#include "kestrun_process.h"
#include "message_names.h"
#include "platform/unicode.h"
#include "rpc/file_mapping_client.h"
#include "rpc/rpc_client.h"

namespace Kestrun::testing {
namespace {

CefRefPtr<CefProcessMessage> EvaluationRequest(const char16_t* name, const platform::WString& code, int start_line) {
  CefRefPtr<CefProcessMessage> request = Message(name, code.c_str());
  request->GetArgumentList()->SetString(2, "eval.js");
  request->GetArgumentList()->SetInt(3, start_line);
  return request;
}

}  // namespace

bool operator==(const Answer& a, const Answer& b) { return a.success == b.success && a.json == b.json; }

std::ostream& operator<<(std::ostream& out, const Answer& answer) {
  return out << (answer.success ? "success " : "failure ") << answer.json;
}

KestrunPage::KestrunPage(const std::string& script, const std::vector<std::string>& arguments) {
  std::vector<std::string> all = {"--type=renderer"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  process_ = StartKestrun(all);
  if (!process_) return;
  process_->CreateBrowser(kBrowser, kMainFrame);
  process_->LoadPage(kBrowser, kMainFrame, true, "page.js", script);
}

void KestrunPage::SaveObjectId(const platform::WString& identifier) {
  process_->SendProcessMessage(kBrowser, kMainFrame, Message(kSaveWebBrowserObjectID, identifier.c_str()));
}

Answer KestrunPage::EvaluateAsync(const platform::WString& code, std::int64_t frame, int start_line) {
  process_->SendProcessMessage(kBrowser, frame, EvaluationRequest(kEvaluateJavascriptRequestAsync, code, start_line));
  CefRefPtr<CefProcessMessage> response = NextMessage(kEvaluateJavascriptResponseAsync);
  if (!response) return Answer{false, "<no answer>"};
  CefRefPtr<CefListValue> arguments = response->GetArgumentList();
  const bool success = arguments->GetBool(0);
  const CefString json = arguments->GetString(success ? 2 : 1);
  EXPECT_EQ(arguments->GetType(success ? 1 : 2), success ? VTYPE_NULL : VTYPE_INVALID) << "the other index is set";
  return Answer{success, json.ToString()};
}

void KestrunPage::RequestSync(const platform::WString& code, std::int64_t frame) {
  process_->SendProcessMessage(kBrowser, frame, EvaluationRequest(kEvaluateJavascriptRequestSync, code, 1));
}

CefRefPtr<CefProcessMessage> KestrunPage::NextMessage(const CefString& name) {
  const std::optional<cefshim::host::ReceivedMessage> received = process_->WaitForMessage(name, kPatience);
  EXPECT_TRUE(received) << "no " << name.ToString() << "; output:\n" << process_->Output();
  return received ? received->message : nullptr;
}

// Tells when the client waits for the reply: the server has read the
// request and runs the function.
class ExecJsCall::Logger : public IRPCLogger {
 public:
  void Log(const platform::WChar* text) override {
    if (platform::WStringView(text).substr(0, 4) != u"WB5.") return;
    served_ = true;
    Wake();
  }
  // The call has ended: a wait for the server returns at once.
  void Wake() {
    if (!woken_.exchange(true)) wake_.set_value();
  }
  bool WaitUntilServed() {
    wake_future_.wait_for(kPatience);
    return served_;
  }

 private:
  std::atomic<bool> served_{false};
  std::atomic<bool> woken_{false};
  std::promise<void> wake_;
  std::future<void> wake_future_ = wake_.get_future();
};

namespace {

std::string Call(const platform::WString& identifier, const platform::WString& function, IRPCLogger* logger,
                 platform::MessagePump* pump) {
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.SetLogger(logger, pump);
  client.Connect((u"Local\\" + identifier + u"_SECJS_Server").c_str(), 0);
  const platform::WChar* result = nullptr;
  const platform::WChar* error = nullptr;
  const int code = client.Call(function.c_str(), u"", &result, &error);
  const platform::WChar* text = result != nullptr ? result : error;
  std::string reply = std::to_string(code) + " " + (text != nullptr ? platform::Utf16ToUtf8(text) : "");
  client.Disconnect();
  return reply;
}

}  // namespace

platform::WString UniqueObjectId() {
  static std::atomic<int> counter{0};
  return u"object" + platform::Utf8ToUtf16(std::to_string(++counter));
}

std::string CallExecJs(const platform::WString& identifier, const platform::WString& function) {
  return Call(identifier, function, nullptr, nullptr);
}

ExecJsCall::ExecJsCall(const platform::WString& identifier, platform::MessagePump* pump)
    : logger_(std::make_unique<Logger>()) {
  reply_ = std::async(std::launch::async, [this, identifier, pump] {
    std::string reply = Call(identifier, u"ExecJS", logger_.get(), pump);
    logger_->Wake();
    return reply;
  });
}

ExecJsCall::~ExecJsCall() {
  if (reply_.valid()) reply_.wait();
}

bool ExecJsCall::WaitUntilServed() { return logger_->WaitUntilServed(); }

std::string ExecJsCall::Reply() { return reply_.get(); }

}  // namespace Kestrun::testing
