#include "render_app_provider.h"

#include <cstdlib>

#include "context_notifications.h"
#include "evaluation_handlers.h"
#include "event_registration.h"
#include "message_names.h"
#include "renderer_services.h"
#include "web_browser_object_id.h"

namespace CefProvider {

bool CRenderAppProvider::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                                  CefProcessId source_process,
                                                  CefRefPtr<CefProcessMessage> message) {
  if (!message) return false;
  const CefString name = message->GetName();
  if (name == Kestrun::kKillKestrunRequest) {
    Kestrun::StopRendererService(*state_);
    std::exit(0);
  }
  if (name == Kestrun::kSaveWebBrowserObjectID) {
    const bool saved = Kestrun::SaveWebBrowserObjectId(state_->slot, message);
    Kestrun::StartRendererService(*state_);
    return saved;
  }
  if (name == Kestrun::kEvaluateJavascriptRequestAsync) {
    return Kestrun::EvaluateAsync(state_->slot, browser, frame, source_process, message);
  }
  if (name == Kestrun::kEvaluateJavascriptRequestSync) return Kestrun::EvaluateSync(state_->slot, frame, message);
  if (name == Kestrun::kJavascriptRegisterEvent) return Kestrun::RegisterEvent(state_->eventCalls, frame, message);
  if (name == Kestrun::kJavascriptUnregisterEvent) return Kestrun::UnregisterEvent(frame, message);
  return false;
}

void CRenderAppProvider::OnContextCreated(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> frame,
                                          CefRefPtr<CefV8Context> context) {
  Kestrun::NotifyContextCreated(frame, context);
}

void CRenderAppProvider::OnUncaughtException(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> frame,
                                             CefRefPtr<CefV8Context> /*context*/,
                                             CefRefPtr<CefV8Exception> exception,
                                             CefRefPtr<CefV8StackTrace> stack_trace) {
  Kestrun::NotifyUncaughtException(frame, exception, stack_trace);
}

}  // namespace CefProvider
