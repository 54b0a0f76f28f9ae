#include "evaluation_handlers.h"

#include "message_names.h"
#include "script_evaluation.h"

namespace Kestrun {
namespace {

// Signals the slot when it goes out of scope, whatever happened before.
class SignalOnExit {
 public:
  explicit SignalOnExit(ScriptResultSlot& slot) : slot_(slot) {}
  ~SignalOnExit() { slot_.Signal(); }
  SignalOnExit(const SignalOnExit&) = delete;
  SignalOnExit& operator=(const SignalOnExit&) = delete;

 private:
  ScriptResultSlot& slot_;
};

CefRefPtr<CefProcessMessage> AsyncResponse(const EvaluationOutcome& outcome) {
  CefRefPtr<CefProcessMessage> response = CefProcessMessage::Create(kEvaluateJavascriptResponseAsync);
  CefRefPtr<CefListValue> arguments = response->GetArgumentList();
  arguments->SetBool(0, outcome.succeeded());
  if (outcome.succeeded()) {
    arguments->SetString(2, outcome.resultJson);
  } else {
    arguments->SetString(1, outcome.errorJson);
  }
  return response;
}

// The request's frame, or the main frame of its browser when the frame is
// gone; null when neither exists.
CefRefPtr<CefFrame> AnsweringFrame(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {
  if (frame) return frame;
  return browser ? browser->GetMainFrame() : nullptr;
}

}  // namespace

bool EvaluateAsync(ScriptResultSlot& slot, CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   CefProcessId source_process, CefRefPtr<CefProcessMessage> message) {
  const SignalOnExit signal(slot);
  try {
    const EvaluationOutcome outcome = EvaluateScriptRequest(frame, message->GetArgumentList());
    if (CefRefPtr<CefFrame> answering = AnsweringFrame(browser, frame)) {
      answering->SendProcessMessage(source_process, AsyncResponse(outcome));
    }
  } catch (...) {
    // Only memory exhaustion gets here; the slot is still signalled.
  }
  return true;
}

bool EvaluateSync(ScriptResultSlot& slot, CefRefPtr<CefFrame> frame, CefRefPtr<CefProcessMessage> message) {
  const SignalOnExit signal(slot);
  try {
    slot.ClearTexts();
    const EvaluationOutcome outcome = EvaluateScriptRequest(frame, message->GetArgumentList());
    slot.Store(outcome.code, outcome.resultJson, outcome.errorJson);
    return outcome.succeeded();
  } catch (...) {
    slot.Store(kEvaluationStepFailed, {}, {});
    return false;
  }
}

}  // namespace Kestrun
