#include "script/v8_exception_impl.h"

#include <js/ErrorReport.h>
#include <js/Exception.h>
#include <js/SavedFrameAPI.h>
#include <js/Symbol.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>

#include "script/js_text.h"

namespace cefshim::script {
namespace {

// What V8 shows for an object it cannot turn into text.
constexpr char16_t kUnshowableValue[] = u"#<Object>";

// String(value) for a value that is not an Error: a symbol as
// "Symbol(description)", another value converted as by String(); a value
// whose conversion throws (an object without a primitive value, a throwing
// toString or proxy) is shown as kUnshowableValue.
std::u16string ThrownValueText(JSContext* cx, JS::HandleValue value) {
  if (value.isSymbol()) {
    JS::RootedSymbol symbol(cx, value.toSymbol());
    JSString* description = JS::GetSymbolDescription(symbol);
    return u"Symbol(" + (description ? StringText(cx, description) : std::u16string()) + u")";
  }
  std::optional<std::u16string> text = ValueText(cx, value);
  return text ? *text : kUnshowableValue;
}

// The thrown value as text: an Error's "Name: message", else String(value).
CefString ThrownText(JSContext* cx, const JS::ExceptionStack& thrown, const JS::ErrorReportBuilder& report) {
  if (thrown.exception().isObject()) {
    JS::RootedObject object(cx, &thrown.exception().toObject());
    if (JS_ErrorFromException(cx, object)) return CefString(report.toStringResult().c_str());
  }
  return ThrownValueText(cx, thrown.exception());
}

// A line or column, which the engine counts unsigned, as CEF's int: a
// number beyond its range (a script that starts near the last line) gives
// the largest int, never a negative one.
int PositionNumber(std::uint32_t number) {
  return number > static_cast<std::uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(number);
}

CefString SavedFrameText(JSContext* cx, JS::HandleObject frame, bool function_name) {
  JS::RootedString text(cx);
  const JS::SavedFrameResult result =
      function_name ? JS::GetSavedFrameFunctionDisplayName(cx, nullptr, frame, &text)
                    : JS::GetSavedFrameSource(cx, nullptr, frame, &text);
  return result == JS::SavedFrameResult::Ok && text ? CefString(StringText(cx, text)) : CefString();
}

std::vector<CefRefPtr<CefV8StackFrame>> StackFrames(JSContext* cx, JS::HandleObject stack) {
  std::vector<CefRefPtr<CefV8StackFrame>> frames;
  JS::RootedObject frame(cx, stack);
  while (frame) {
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    JS::GetSavedFrameLine(cx, nullptr, frame, &line);
    JS::GetSavedFrameColumn(cx, nullptr, frame, &column);
    frames.push_back(new V8StackFrameImpl(SavedFrameText(cx, frame, true), SavedFrameText(cx, frame, false),
                                          PositionNumber(line), PositionNumber(column)));
    JS::RootedObject parent(cx);
    JS::GetSavedFrameParent(cx, nullptr, frame, &parent);
    frame = parent;
  }
  return frames;
}

// The column counted from 0. The engine counts from 1 where the script was
// running, and from 0 for a compile error (whose report has the line's text).
int StartColumn(const JSErrorReport* details) {
  if (!details) return 0;
  const int column = PositionNumber(details->column);
  return details->linebuf() || column == 0 ? column : column - 1;
}

}  // namespace

CefRefPtr<CefV8StackFrame> V8StackTraceImpl::GetFrame(int index) {
  if (index < 0 || index >= GetFrameCount()) return nullptr;
  return frames_[static_cast<std::size_t>(index)];
}

void TakePendingException(JSContext* cx, CefRefPtr<CefV8Exception>& exception,
                          CefRefPtr<CefV8StackTrace>* stack_trace) {
  JS::ExceptionStack thrown(cx);
  if (!JS_IsExceptionPending(cx) || !JS::StealPendingExceptionStack(cx, &thrown)) return;
  JS::ErrorReportBuilder report(cx);
  if (!report.init(cx, thrown, JS::ErrorReportBuilder::NoSideEffects)) JS_ClearPendingException(cx);
  const JSErrorReport* details = report.report();
  const CefString text = ThrownText(cx, thrown, report);
  exception = new V8ExceptionImpl(CefString(u"Uncaught " + text.ToString16()),
                                  CefString(details && details->filename ? details->filename : ""),
                                  details ? PositionNumber(details->lineno) : 0, StartColumn(details));
  if (stack_trace) *stack_trace = new V8StackTraceImpl(StackFrames(cx, thrown.stack()));
}

}  // namespace cefshim::script
