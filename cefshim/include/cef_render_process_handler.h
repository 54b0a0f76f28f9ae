// CefRenderProcessHandler: the renderer's callbacks. Every callback runs on
// the render thread; the default implementations do nothing.
#pragma once

#include "cef_base.h"
#include "cef_values.h"
#include "cef_browser.h"
#include "cef_frame.h"
#include "cef_process_message.h"
#include "cef_types.h"
#include "cef_v8.h"

class CefRenderProcessHandler : public virtual CefBaseRefCounted {
 public:
  // Once, when the render thread starts, before any other callback.
  virtual void OnWebKitInitialized() {}

  // When the browser process creates a browser; `extra_info` may be null.
  virtual void OnBrowserCreated(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefDictionaryValue> /*extra_info*/) {}

  // When the browser process destroys a browser, while it is still valid.
  virtual void OnBrowserDestroyed(CefRefPtr<CefBrowser> /*browser*/) {}

  // When a page gets its new script context, with that context entered.
  virtual void OnContextCreated(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                CefRefPtr<CefV8Context> /*context*/) {}

  // Before a frame's context is replaced by a new page or the frame goes.
  virtual void OnContextReleased(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                 CefRefPtr<CefV8Context> /*context*/) {}

  // When a page script throws an exception that nothing catches.
  virtual void OnUncaughtException(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                   CefRefPtr<CefV8Context> /*context*/, CefRefPtr<CefV8Exception> /*exception*/,
                                   CefRefPtr<CefV8StackTrace> /*stack_trace*/) {}

  // A process message from the browser process. `browser` and `frame` are
  // null when the message names a browser or frame this renderer does not
  // know (or no longer has). Return true when the message was handled.
  virtual bool OnProcessMessageReceived(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                        CefProcessId /*source_process*/,
                                        CefRefPtr<CefProcessMessage> /*message*/) {
    return false;
  }
};
