// A renderer for the runtime's own tests: it answers a few process messages
// so that a test can see, through the host side, what the runtime did.
//   "echo"   -> "echo" with the same arguments, through the receiving frame
//   "where"  -> "where" [browser known, frame known, frame id as text,
//               main frame present, first main frame still valid], through
//               the receiving frame, else the first browser's main frame
//   "deep"   -> tries a message nested too deeply to travel, then "after-deep"
//   "throw"  -> the handler throws
//   "block"  -> the render thread sleeps for ever
//   "exit"   -> std::exit(0) on the render thread
//   "eval" [code] -> "eval" [succeeded, string result, exception message],
//               evaluated in the receiving frame's context
// It also sends "browser-created" and "browser-destroyed" [browser id],
// "context-created" [frame id as text, is main, the context is current],
// "context-released" [frame id as text] and "uncaught" [message, script,
// line, column, frames as lists of function, line, column, script]. Every
// page gets a function send(name, text...) that sends a message `name`
// with the texts through the page's frame.
// Without a "type" switch it prints "browser process" and exits with 0.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>

#include "cef_app.h"

namespace {

// The handler behind send(name, text...).
class SendHandler : public CefV8Handler {
 public:
  bool Execute(const CefString&, CefRefPtr<CefV8Value>, const CefV8ValueList& arguments,
               CefRefPtr<CefV8Value>& retval, CefString& exception) override {
    if (arguments.empty() || !arguments[0]->IsString()) {
      exception = "send needs a message name";
      return true;
    }
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(arguments[0]->GetStringValue());
    for (std::size_t i = 1; i < arguments.size(); ++i) {
      message->GetArgumentList()->SetString(i - 1, arguments[i]->GetStringValue());
    }
    CefV8Context::GetCurrentContext()->GetFrame()->SendProcessMessage(PID_BROWSER, message);
    retval = CefV8Value::CreateBool(true);
    return true;
  }

 private:
  IMPLEMENT_REFCOUNTING(SendHandler);
};

class TestHandler : public CefRenderProcessHandler {
 public:
  void OnBrowserCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDictionaryValue>) override {
    browsers_[browser->GetIdentifier()] = browser;
    if (!first_main_frame_) first_main_frame_ = browser->GetMainFrame();
    Notify(browser, "browser-created");
  }

  void OnBrowserDestroyed(CefRefPtr<CefBrowser> browser) override { Notify(browser, "browser-destroyed"); }

  void OnContextCreated(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context> context) override {
    context->GetGlobal()->SetValue("send", CefV8Value::CreateFunction("send", new SendHandler()),
                                   V8_PROPERTY_ATTRIBUTE_NONE);
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("context-created");
    message->GetArgumentList()->SetString(0, std::to_string(frame->GetIdentifier()));
    message->GetArgumentList()->SetBool(1, frame->IsMain());
    message->GetArgumentList()->SetBool(2, CefV8Context::GetCurrentContext() == context);
    frame->SendProcessMessage(PID_BROWSER, message);
  }

  void OnContextReleased(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context>) override {
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("context-released");
    message->GetArgumentList()->SetString(0, std::to_string(frame->GetIdentifier()));
    frame->SendProcessMessage(PID_BROWSER, message);
  }

  void OnUncaughtException(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context>,
                           CefRefPtr<CefV8Exception> exception, CefRefPtr<CefV8StackTrace> stack) override {
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("uncaught");
    CefRefPtr<CefListValue> arguments = message->GetArgumentList();
    arguments->SetString(0, exception->GetMessage());
    arguments->SetString(1, exception->GetScriptResourceName());
    arguments->SetInt(2, exception->GetLineNumber());
    arguments->SetInt(3, exception->GetStartColumn());
    CefRefPtr<CefListValue> frames = CefListValue::Create();
    for (int i = 0; stack && i < stack->GetFrameCount(); ++i) {
      CefRefPtr<CefListValue> entry = CefListValue::Create();
      entry->SetString(0, stack->GetFrame(i)->GetFunctionName());
      entry->SetInt(1, stack->GetFrame(i)->GetLineNumber());
      entry->SetInt(2, stack->GetFrame(i)->GetColumn());
      entry->SetString(3, stack->GetFrame(i)->GetScriptNameOrSourceURL());
      frames->SetList(static_cast<std::size_t>(i), entry);
    }
    arguments->SetList(4, frames);
    frame->SendProcessMessage(PID_BROWSER, message);
  }

  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefProcessId,
                                CefRefPtr<CefProcessMessage> message) override {
    const std::string name = message->GetName().ToString();
    if (name == "echo") return Echo(frame, message);
    if (name == "where") return Where(browser, frame);
    if (name == "deep") return SendDeep(frame);
    if (name == "eval") return Evaluate(frame, message->GetArgumentList()->GetString(0));
    if (name == "throw") throw std::runtime_error("test handler failure");
    if (name == "exit") std::exit(0);
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

  static bool Evaluate(CefRefPtr<CefFrame> frame, const CefString& code) {
    if (!frame || !frame->GetV8Context()) return false;
    CefRefPtr<CefV8Value> result;
    CefRefPtr<CefV8Exception> exception;
    const bool succeeded = frame->GetV8Context()->Eval(code, "eval.js", 1, result, exception);
    CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create("eval");
    reply->GetArgumentList()->SetBool(0, succeeded);
    reply->GetArgumentList()->SetString(1, result ? result->GetStringValue() : CefString());
    reply->GetArgumentList()->SetString(2, exception ? exception->GetMessage() : CefString());
    frame->SendProcessMessage(PID_BROWSER, reply);
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
