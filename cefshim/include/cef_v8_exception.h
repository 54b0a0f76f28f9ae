// CefV8Exception: what is known of a script exception. Immutable; render
// thread only.
#pragma once

#include "cef_base.h"
#include "cef_string.h"

class CefV8Exception : public virtual CefBaseRefCounted {
 public:
  // "Uncaught " followed by the thrown value as text, e.g.
  // "Uncaught Error: oops" or "Uncaught SyntaxError: ...".
  virtual CefString GetMessage() = 0;
  // The URL or name of the script that threw.
  virtual CefString GetScriptResourceName() = 0;
  // Line of the throw, counted from 1; 0 when unknown.
  virtual int GetLineNumber() = 0;
  // Column of the throw, counted from 0.
  virtual int GetStartColumn() = 0;
};
