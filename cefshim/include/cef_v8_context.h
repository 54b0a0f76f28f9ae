// CefV8Context: the script context (global object and realm) of one page
// loaded in a frame. Each page load gets a new context. Render thread only.
#pragma once

#include "cef_base.h"
#include "cef_string.h"

class CefBrowser;
class CefFrame;
class CefV8Exception;
class CefV8Value;

class CefV8Context : public virtual CefBaseRefCounted {
 public:
  // The context that is entered now (the innermost Enter(), or the context
  // whose script is running); null when none is.
  static CefRefPtr<CefV8Context> GetCurrentContext();

  // False once the frame's page has been replaced or the frame detached.
  virtual bool IsValid() = 0;
  virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
  virtual CefRefPtr<CefFrame> GetFrame() = 0;
  // The global object; null when the context is not valid.
  virtual CefRefPtr<CefV8Value> GetGlobal() = 0;

  // Makes the context current. Calls nest; every successful Enter() needs
  // one Exit(). False (nothing entered) when the context is not valid.
  virtual bool Enter() = 0;
  // Leaves the innermost Enter() of this context; false when it is not the
  // one entered.
  virtual bool Exit() = 0;

  // Runs `code` as a global script and gives its completion value in
  // `retval`. On an exception returns false and fills `exception` (which
  // then does not reach OnUncaughtException); `script_url` and `start_line`
  // (counted from 1) name the code in messages and stack traces.
  virtual bool Eval(const CefString& code, const CefString& script_url, int start_line,
                    CefRefPtr<CefV8Value>& retval, CefRefPtr<CefV8Exception>& exception) = 0;
};
