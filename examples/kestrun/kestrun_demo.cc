// kestrun_demo: plays the browser control for one page. It starts Kestrun
// as a renderer, loads the page script into a browser's main frame, gives
// the renderer its object identifier, adds the event functions named with
// --event (each answered by this program), evaluates the --async scripts
// by message and the --sync scripts through "ExecJS", and prints every
// answer and every message the page sends.
//
//   kestrun_demo [--event NAME]... [--async SCRIPT]... [--sync SCRIPT]... PAGE.js
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "cefshim/host/renderer_process.h"
#include "platform/unicode.h"
#include "rpc/file_mapping_client.h"
#include "rpc/file_mapping_server.h"

namespace {

constexpr std::int32_t kBrowser = 1;
constexpr std::int64_t kMainFrame = 10;
constexpr std::int64_t kSpareFrame = 99;
constexpr std::chrono::seconds kPatience(20);

std::mutex print_mutex;

void Print(const std::string& line) {
  std::lock_guard<std::mutex> lock(print_mutex);
  std::cout << line << std::endl;
}

struct Options {
  std::vector<std::string> events;
  std::vector<std::pair<bool, std::string>> scripts;  // (synchronous, code), in the order given
  std::string page;
};

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool takes_value = argument == "--event" || argument == "--async" || argument == "--sync";
    if (takes_value && i + 1 < argc) {
      const std::string value = argv[++i];
      if (argument == "--event") options->events.push_back(value);
      if (argument != "--event") options->scripts.emplace_back(argument == "--sync", value);
    } else if (options->page.empty() && argument.rfind("--", 0) != 0) {
      options->page = argument;
    } else {
      return false;
    }
  }
  return !options->page.empty();
}

// A 64-bit identifier packed as the control packs it: a zero byte, then the
// integer, low byte first.
std::int64_t Unpack(CefRefPtr<CefBinaryValue> packed) {
  std::uint8_t bytes[9] = {0};
  if (packed) packed->GetData(bytes, sizeof bytes, 0);
  std::uint64_t value = 0;
  for (int i = 8; i >= 1; --i) value = (value << 8) | bytes[i];
  return static_cast<std::int64_t>(value);
}

CefRefPtr<CefProcessMessage> Request(const char* name, const std::string& text) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
  const std::uint8_t packed[9] = {0};
  message->GetArgumentList()->SetBinary(0, CefBinaryValue::Create(packed, sizeof packed));
  message->GetArgumentList()->SetString(1, text);
  message->GetArgumentList()->SetString(2, "demo.js");
  message->GetArgumentList()->SetInt(3, 1);
  return message;
}

// An event function of the page, answered here.
class EventFunction : public IRPCFunDelegate {
 public:
  int Invoke(const platform::WChar* function, const platform::WChar* parameters, const platform::WChar** result,
             const platform::WChar** error) override {
    const std::string name = platform::Utf16ToUtf8(function);
    const std::string text = platform::Utf16ToUtf8(parameters);
    answer_ = u"the host heard \"" + platform::Utf8ToUtf16(text) + u"\"";
    Print("  event " + name + "(\"" + text + "\") called; answering: " + platform::Utf16ToUtf8(answer_));
    *result = answer_.c_str();
    *error = nullptr;
    return 0;
  }
  void AfterCall() override {}

 private:
  platform::WString answer_;
};

class DemoControl {
 public:
  DemoControl(std::unique_ptr<cefshim::host::RendererProcess> kestrun, std::string identifier)
      : kestrun_(std::move(kestrun)), identifier_(std::move(identifier)) {}

  bool LoadPage(const std::string& file, const std::string& source) {
    kestrun_->CreateBrowser(kBrowser, kMainFrame);
    kestrun_->LoadPage(kBrowser, kMainFrame, true, file, source);
    const auto created = kestrun_->WaitForMessage("OnContextCreated", kPatience);
    if (!created) return false;
    Print("page " + file + " loaded; OnContextCreated for frame " +
          std::to_string(Unpack(created->message->GetArgumentList()->GetBinary(0))));
    kestrun_->SendProcessMessage(kBrowser, kMainFrame, Request("SaveWebBrowserObjectID", identifier_));
    Settle();
    PrintPageMessages();
    return true;
  }

  bool ServeEvents(const std::vector<std::string>& events) {
    if (events.empty()) return true;
    server_ = std::make_unique<RPCServer::CRPCServer>(new RPCServer::CFileMappingServerImp());
    for (const std::string& event : events) {
      server_->RegisterFunction(platform::Utf8ToUtf16(event).c_str(), new EventFunction());
      kestrun_->SendProcessMessage(kBrowser, kMainFrame, Request("JavascriptRegisterEvent", event));
      Print("event function WebBrowser." + event + " added");
    }
    const std::string name = "Local\\" + identifier_ + "_SECTQE_Server";
    return server_->Start(platform::Utf8ToUtf16(name).c_str(), 0) == 0;
  }

  void EvaluateAsync(const std::string& code) {
    kestrun_->SendProcessMessage(kBrowser, kMainFrame, Request("EvaluateJavascriptRequestAsync", code));
    const auto response = kestrun_->WaitForMessage("EvaluateJavascriptResponseAsync", kPatience);
    if (!response) {
      Print("async " + code + "\n  no answer");
      return;
    }
    CefRefPtr<CefListValue> arguments = response->message->GetArgumentList();
    const bool success = arguments->GetBool(0);
    Print("async " + code + "\n  " + (success ? "result " : "error  ") +
          arguments->GetString(success ? 2 : 1).ToString());
    async_signal_pending_ = true;
    PrintPageMessages();
  }

  void EvaluateSync(const std::string& code) {
    Print("sync  " + code);
    CollectAsyncSignal();
    kestrun_->SendProcessMessage(kBrowser, kMainFrame, Request("EvaluateJavascriptRequestSync", code));
    Print("  " + CallExecJs());
    Settle();
    PrintPageMessages();
  }

  int Finish() {
    kestrun_->CloseConnection();
    const auto status = kestrun_->WaitForExit(kPatience);
    server_.reset();
    return status && status->exited ? status->code : 1;
  }

 private:
  // "result <json>" or "error <json>" of an "ExecJS" call.
  std::string CallExecJs() {
    RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
    client.Connect(platform::Utf8ToUtf16("Local\\" + identifier_ + "_SECJS_Server").c_str(), 0);
    const platform::WChar* result = nullptr;
    const platform::WChar* error = nullptr;
    if (client.Call(u"ExecJS", u"", &result, &error) != 0) return "ExecJS failed";
    if (result != nullptr) return "result " + platform::Utf16ToUtf8(result);
    return "error  " + platform::Utf16ToUtf8(error != nullptr ? error : u"");
  }

  // Returns once the renderer has handled everything sent before: a page
  // loaded into a spare frame announces its context only then.
  void Settle() {
    kestrun_->LoadPage(kBrowser, kSpareFrame, false, "settle.js", "");
    kestrun_->WaitForMessage("OnContextCreated", kPatience);
    kestrun_->DetachFrame(kBrowser, kSpareFrame);
  }

  // Every asynchronous evaluation leaves the script-result slot signalled
  // once its handler has returned, and a later "ExecJS" would return at once
  // with the slot as it was. Before a synchronous evaluation the control
  // therefore lets the renderer settle and collects that one signal.
  void CollectAsyncSignal() {
    if (!async_signal_pending_) return;
    Settle();
    CallExecJs();
    async_signal_pending_ = false;
  }

  // What the page has sent so far: commands (Invoke) and uncaught exceptions.
  void PrintPageMessages() {
    while (const auto invoked = kestrun_->WaitForMessage("InvokeWebBrowser", std::chrono::milliseconds(0))) {
      CefRefPtr<CefListValue> arguments = invoked->message->GetArgumentList();
      Print("  page -> InvokeWebBrowser command " + std::to_string(Unpack(arguments->GetBinary(0))) + ", data " +
            arguments->GetString(1).ToString() + ", \"" + arguments->GetString(2).ToString() + "\"");
    }
    while (const auto uncaught = kestrun_->WaitForMessage("OnUncaughtException", std::chrono::milliseconds(0))) {
      CefRefPtr<CefListValue> arguments = uncaught->message->GetArgumentList();
      Print("  page -> OnUncaughtException " + arguments->GetString(1).ToString());
      CefRefPtr<CefListValue> frames = arguments->GetList(2);
      for (std::size_t i = 0; frames && i < frames->GetSize(); ++i) {
        CefRefPtr<CefListValue> frame = frames->GetList(i);
        Print("       at " + frame->GetString(0).ToString() + " (" + frame->GetString(3).ToString() + ":" +
              std::to_string(frame->GetInt(1)) + ":" + std::to_string(frame->GetInt(2)) + ")");
      }
    }
  }

  std::unique_ptr<cefshim::host::RendererProcess> kestrun_;
  std::string identifier_;
  std::unique_ptr<RPCServer::CRPCServer> server_;
  bool async_signal_pending_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::cerr << "usage: kestrun_demo [--event NAME]... [--async SCRIPT]... [--sync SCRIPT]... PAGE.js\n";
    return 2;
  }
  std::ifstream file(options.page, std::ios::binary);
  std::stringstream source;
  source << file.rdbuf();
  if (!file) {
    std::cerr << "kestrun_demo: cannot read " << options.page << "\n";
    return 1;
  }
  std::string error;
  auto kestrun = cefshim::host::RendererProcess::Start(KESTRUN_EXECUTABLE, {"--type=renderer"}, &error);
  if (!kestrun) {
    std::cerr << "kestrun_demo: Kestrun cannot be started: " << error << "\n";
    return 1;
  }
  DemoControl control(std::move(kestrun), "demo" + std::to_string(::getpid()));
  const std::string url = options.page.substr(options.page.rfind('/') + 1);
  if (!control.LoadPage(url, source.str())) {
    std::cerr << "kestrun_demo: the page did not load\n";
    return 1;
  }
  if (!control.ServeEvents(options.events)) {
    std::cerr << "kestrun_demo: the event functions cannot be served\n";
    return 1;
  }
  for (const auto& [synchronous, code] : options.scripts) {
    if (synchronous) {
      control.EvaluateSync(code);
    } else {
      control.EvaluateAsync(code);
    }
  }
  return control.Finish();
}
