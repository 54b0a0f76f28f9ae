// CefV8StackTrace and CefV8StackFrame: the script call stack captured with
// an exception, innermost frame first. Immutable; render thread only.
#pragma once

#include "cef_base.h"
#include "cef_string.h"

class CefV8StackFrame;

class CefV8StackTrace : public virtual CefBaseRefCounted {
 public:
  virtual bool IsValid() = 0;
  virtual int GetFrameCount() = 0;
  // Null for an index outside 0 .. GetFrameCount() - 1.
  virtual CefRefPtr<CefV8StackFrame> GetFrame(int index) = 0;
};

class CefV8StackFrame : public virtual CefBaseRefCounted {
 public:
  virtual bool IsValid() = 0;
  // The script's name as given when it was compiled.
  virtual CefString GetScriptName() = 0;
  // The script's name, or its source URL when the script declares one.
  virtual CefString GetScriptNameOrSourceURL() = 0;
  // Empty for top-level code and anonymous functions.
  virtual CefString GetFunctionName() = 0;
  // Counted from 1.
  virtual int GetLineNumber() = 0;
  // Counted from 1, as CEF reports stack frame columns.
  virtual int GetColumn() = 0;
};
