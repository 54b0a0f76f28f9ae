// A renderer for the runtime's own tests: it answers a few process messages
// so that a test can see, through the host side, what the runtime did.
//   "echo"   -> "echo" with the same arguments, through the receiving frame
//   "where"  -> "where" [browser known, frame known, frame id as text,
//               main frame present, first main frame still valid], through
//               the receiving frame, else the first browser's main frame
//   "deep"   -> tries a message nested too deeply to travel, then "after-deep"
//   "throw"  -> the handler throws
//   "block"  -> the render thread sleeps for ever
// It also sends "browser-created" and "browser-destroyed" [browser id].
// Without a "type" switch it prints "browser process" and exits with 0.
#include <unistd.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>

#include "cef_app.h"

namespace {

class TestHandler : public CefRenderProcessHandler {
 public:
  void OnBrowserCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDictionaryValue>) override {
    browsers_[browser->GetIdentifier()] = browser;
    if (!first_main_frame_) first_main_frame_ = browser->GetMainFrame();
    Notify(browser, "browser-created");
  }

  void OnBrowserDestroyed(CefRefPtr<CefBrowser> browser) override { Notify(browser, "browser-destroyed"); }

  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefProcessId,
                                CefRefPtr<CefProcessMessage> message) override {
    const std::string name = message->GetName().ToString();
    if (name == "echo") return Echo(frame, message);
    if (name == "where") return Where(browser, frame);
    if (name == "deep") return SendDeep(frame);
    if (name == "throw") throw std::runtime_error("test handler failure");
    if (name == "block") {
      for (;;) ::pause();
    }
    return false;
  }

 private:
  static void CopyEntry(CefRefPtr<CefListValue> from, std::size_t i, CefRefPtr<CefListValue> to) {
    switch (from->GetType(i)) {
      case VTYPE_BOOL: to->SetBool(i, from->GetBool(i)); break;
      case VTYPE_INT: to->SetInt(i, from->GetInt(i)); break;
      case VTYPE_DOUBLE: to->SetDouble(i, from->GetDouble(i)); break;
      case VTYPE_STRING: to->SetString(i, from->GetString(i)); break;
      case VTYPE_BINARY: to->SetBinary(i, from->GetBinary(i)); break;
      case VTYPE_DICTIONARY: to->SetDictionary(i, from->GetDictionary(i)); break;
      case VTYPE_LIST: to->SetList(i, from->GetList(i)); break;
      default: to->SetNull(i); break;
    }
  }

  static bool Echo(CefRefPtr<CefFrame> frame, CefRefPtr<CefProcessMessage> message) {
    CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create("echo");
    CefRefPtr<CefListValue> arguments = message->GetArgumentList();
    for (std::size_t i = 0; i < arguments->GetSize(); ++i) CopyEntry(arguments, i, reply->GetArgumentList());
    if (frame) frame->SendProcessMessage(PID_BROWSER, reply);
    return true;
  }

  static void Notify(CefRefPtr<CefBrowser> browser, const char* name) {
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
    message->GetArgumentList()->SetInt(0, browser->GetIdentifier());
    if (CefRefPtr<CefFrame> main = browser->GetMainFrame()) main->SendProcessMessage(PID_BROWSER, message);
  }

  bool Where(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {
    CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create("where");
    CefRefPtr<CefListValue> arguments = reply->GetArgumentList();
    arguments->SetBool(0, browser != nullptr);
    arguments->SetBool(1, frame != nullptr);
    arguments->SetString(2, frame ? std::to_string(frame->GetIdentifier()) : std::string());
    arguments->SetBool(3, browser && browser->GetMainFrame());
    arguments->SetBool(4, first_main_frame_ && first_main_frame_->IsValid());
    CefRefPtr<CefFrame> via = frame;
    for (auto it = browsers_.begin(); !via && it != browsers_.end(); ++it) via = it->second->GetMainFrame();
    if (via) via->SendProcessMessage(PID_BROWSER, reply);
    return true;
  }

  static bool SendDeep(CefRefPtr<CefFrame> frame) {
    CefRefPtr<CefListValue> nested = CefListValue::Create();
    for (int depth = 0; depth < 200; ++depth) {
      CefRefPtr<CefListValue> outer = CefListValue::Create();
      outer->SetList(0, nested);
      nested = outer;
    }
    CefRefPtr<CefProcessMessage> deep = CefProcessMessage::Create("deep");
    deep->GetArgumentList()->SetList(0, nested);
    frame->SendProcessMessage(PID_BROWSER, deep);
    frame->SendProcessMessage(PID_BROWSER, CefProcessMessage::Create("after-deep"));
    return true;
  }

  std::map<int, CefRefPtr<CefBrowser>> browsers_;
  CefRefPtr<CefFrame> first_main_frame_;

  IMPLEMENT_REFCOUNTING(TestHandler);
};

class TestApp : public CefApp {
 public:
  CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return handler_; }

 private:
  CefRefPtr<CefRenderProcessHandler> handler_ = new TestHandler();

  IMPLEMENT_REFCOUNTING(TestApp);
};

}  // namespace

int main(int argc, char* argv[]) {
  const int code = CefExecuteProcess(CefMainArgs(argc, argv), new TestApp(), nullptr);
  if (code >= 0) return code;
  std::printf("browser process\n");
  return 0;
}
