// V8ContextImpl: a page's script context, over one global object of the
// engine's shared compartment. The global's first application slot points
// back at the context, so the running script's realm finds its context.
// Render thread only.
#pragma once

#include <jsapi.h>

#include "cef_browser.h"
#include "cef_frame.h"
#include "cef_v8.h"
#include "script/engine_bound.h"

namespace cefshim::script {

class ScriptEngine;

class V8ContextImpl : public CefV8Context, public EngineBound {
 public:
  // The class of every global object the engine makes.
  static const JSClass* GlobalClass();
  // The context of a global object; null for one that belongs to none (the
  // engine's anchor, or the global of a released context).
  static V8ContextImpl* FromGlobal(JSObject* global);

  V8ContextImpl(ScriptEngine* engine, JS::HandleObject global, CefRefPtr<CefBrowser> browser,
                CefRefPtr<CefFrame> frame);
  ~V8ContextImpl() override;

  // The page is replaced or its frame is gone: the context becomes invalid.
  void Invalidate();
  void DetachFromEngine() override { Invalidate(); }

  ScriptEngine* engine() const { return engine_; }
  JSObject* global() const { return global_; }

  bool IsValid() override { return engine_ != nullptr; }
  CefRefPtr<CefBrowser> GetBrowser() override { return browser_; }
  CefRefPtr<CefFrame> GetFrame() override { return frame_; }
  CefRefPtr<CefV8Value> GetGlobal() override;
  bool Enter() override;
  bool Exit() override;
  bool Eval(const CefString& code, const CefString& script_url, int start_line, CefRefPtr<CefV8Value>& retval,
            CefRefPtr<CefV8Exception>& exception) override;

  // Runs a page script in this context. An exception it does not catch is
  // returned in `exception` and `stack_trace` (both null otherwise).
  void RunPageScript(const CefString& source, const CefString& url, CefRefPtr<CefV8Exception>& exception,
                     CefRefPtr<CefV8StackTrace>& stack_trace);

 private:
  // Compiles and runs `code`; on an exception fills `exception` (and
  // `stack_trace` when given) and returns false. A script interrupted, or
  // not started because the engine is stopped, fails without an exception.
  bool Run(const CefString& code, const CefString& url, int start_line, JS::MutableHandleValue result,
           CefRefPtr<CefV8Exception>& exception, CefRefPtr<CefV8StackTrace>* stack_trace);

  ScriptEngine* engine_;  // null once released
  JS::PersistentRootedObject global_;
  const CefRefPtr<CefBrowser> browser_;
  const CefRefPtr<CefFrame> frame_;

  IMPLEMENT_REFCOUNTING(V8ContextImpl);
};

}  // namespace cefshim::script
