// CRenderAppProvider: the renderer's application object and its render
// process handler, which dispatches the browser control's process messages.
// Every handler runs on the render thread.
#pragma once

#include "client_app.h"
#include "renderer_state.h"

namespace CefProvider {

class CRenderAppProvider : public ClientApp, public CefRenderProcessHandler {
 public:
  // `state` is not owned and must outlive the provider.
  explicit CRenderAppProvider(Kestrun::RendererState* state) : state_(state) {}

  CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return this; }

  // Installs the script objects, then tells the control.
  void OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                        CefRefPtr<CefV8Context> context) override;

  // Tells the control, with the stack.
  void OnUncaughtException(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context> context,
                           CefRefPtr<CefV8Exception> exception, CefRefPtr<CefV8StackTrace> stack_trace) override;

  // Dispatches by exact name: "KillKestrunRequest" ends the process with
  // exit code 0 at once; "SaveWebBrowserObjectID" stores the identifier
  // (and the first one starts the "ExecJS" service); the two evaluation
  // requests evaluate script; "JavascriptRegisterEvent" and
  // "JavascriptUnregisterEvent" add and remove event functions. Any other
  // name answers false. The other handler operations keep CEF's defaults,
  // which do nothing.
  bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                CefProcessId source_process, CefRefPtr<CefProcessMessage> message) override;

 private:
  Kestrun::RendererState* const state_;

  IMPLEMENT_REFCOUNTING(CRenderAppProvider);
};

}  // namespace CefProvider
