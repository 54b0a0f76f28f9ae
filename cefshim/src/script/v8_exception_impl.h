// Script exceptions as CEF describes them: the exception's message, place
// and the stack captured when it was thrown. The objects hold plain copies,
// no engine roots; they are immutable. Render thread only (their counts are
// atomic like every cefshim object's).
#pragma once

#include <jsapi.h>

#include <vector>

#include "cef_v8.h"

namespace cefshim::script {

class V8ExceptionImpl : public CefV8Exception {
 public:
  V8ExceptionImpl(CefString message, CefString script, int line, int column)
      : message_(std::move(message)), script_(std::move(script)), line_(line), column_(column) {}

  CefString GetMessage() override { return message_; }
  CefString GetScriptResourceName() override { return script_; }
  int GetLineNumber() override { return line_; }
  int GetStartColumn() override { return column_; }

 private:
  const CefString message_;
  const CefString script_;
  const int line_;
  const int column_;

  IMPLEMENT_REFCOUNTING(V8ExceptionImpl);
};

class V8StackFrameImpl : public CefV8StackFrame {
 public:
  V8StackFrameImpl(CefString function, CefString script, int line, int column)
      : function_(std::move(function)), script_(std::move(script)), line_(line), column_(column) {}

  bool IsValid() override { return true; }
  CefString GetScriptName() override { return script_; }
  CefString GetScriptNameOrSourceURL() override { return script_; }
  CefString GetFunctionName() override { return function_; }
  int GetLineNumber() override { return line_; }
  int GetColumn() override { return column_; }

 private:
  const CefString function_;
  const CefString script_;
  const int line_;
  const int column_;

  IMPLEMENT_REFCOUNTING(V8StackFrameImpl);
};

class V8StackTraceImpl : public CefV8StackTrace {
 public:
  explicit V8StackTraceImpl(std::vector<CefRefPtr<CefV8StackFrame>> frames) : frames_(std::move(frames)) {}

  bool IsValid() override { return true; }
  int GetFrameCount() override { return static_cast<int>(frames_.size()); }
  CefRefPtr<CefV8StackFrame> GetFrame(int index) override;

 private:
  const std::vector<CefRefPtr<CefV8StackFrame>> frames_;

  IMPLEMENT_REFCOUNTING(V8StackTraceImpl);
};

// Takes the pending exception off `cx`: `exception` describes it, and
// `stack_trace` (when given) holds the frames captured with it. Both stay
// null when nothing is pending (an uncatchable failure).
void TakePendingException(JSContext* cx, CefRefPtr<CefV8Exception>& exception,
                          CefRefPtr<CefV8StackTrace>* stack_trace);

}  // namespace cefshim::script
