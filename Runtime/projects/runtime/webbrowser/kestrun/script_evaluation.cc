#include "script_evaluation.h"

#include "cef_v8.h"
#include "entered_context.h"
#include "packed_id.h"
#include "platform/wide_string.h"
#include "script_value_json.h"

namespace Kestrun {
namespace {

EvaluationOutcome Failure(int code, const CefString& message) {
  EvaluationOutcome outcome;
  outcome.code = code;
  outcome.errorJson = ErrorToJson(message);
  return outcome;
}

platform::WString ExceptionText(CefRefPtr<CefV8Exception> exception) {
  if (!exception) return kNullExceptionMessage;
  return exception->GetMessage().ToString16() + u"\n@ " + exception->GetScriptResourceName().ToString16() + u":" +
         platform::IntToW(exception->GetLineNumber()) + u":" + platform::IntToW(exception->GetStartColumn());
}

EvaluationOutcome EvaluateInContext(CefRefPtr<CefV8Context> context, CefRefPtr<CefListValue> arguments) {
  const CefString code = arguments->GetString(1);
  const CefString script_url = arguments->GetString(2);
  const int start_line = arguments->GetInt(3);
  CefRefPtr<CefV8Value> value;
  CefRefPtr<CefV8Exception> exception;
  if (!context->Eval(code, script_url, start_line, value, exception)) return Failure(kScriptThrew, ExceptionText(exception));
  EvaluationOutcome outcome;
  outcome.resultJson = ValueToJson(value);
  if (outcome.resultJson.empty()) return Failure(kEvaluationStepFailed, kResultNotConvertibleMessage);
  return outcome;
}

}  // namespace

EvaluationOutcome EvaluateScriptRequest(CefRefPtr<CefFrame> frame, CefRefPtr<CefListValue> arguments) {
  try {
    ReadPackedId(arguments);  // read as the control sends it, not used
    if (!frame) return Failure(kFrameAbsent, kFrameAbsentMessage);
    const EnteredContext context(frame->GetV8Context());
    if (!context.entered()) return Failure(kContextUnavailable, kCannotEnterContext);
    return EvaluateInContext(context.get(), arguments);
  } catch (...) {
    return Failure(kEvaluationStepFailed, kEvaluationFailedMessage);
  }
}

}  // namespace Kestrun
