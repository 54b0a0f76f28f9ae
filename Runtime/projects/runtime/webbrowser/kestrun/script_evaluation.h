// The evaluation of a script that the browser control asks for, shared by
// the asynchronous and the synchronous request: the script runs in the
// frame's context and its result, or its failure, becomes JSON text.
// Render thread only. No exception leaves it.
#pragma once

#include "cef_frame.h"
#include "cef_values.h"
#include "platform/text_types.h"

namespace Kestrun {

// Result codes of an evaluation, as the script-result slot keeps them.
enum EvaluationCode : int {
  kEvaluated = 0,            // the result JSON holds the value
  kFrameAbsent = 2,          // the frame that delivered the request is gone
  kContextUnavailable = 3,   // the frame has no context, or it cannot be entered
  kEvaluationStepFailed = 4, // the step itself failed (an exception, a result too large for JSON text)
  kScriptThrew = 5,          // the script threw, or failed without an exception
};

struct EvaluationOutcome {
  int code = kEvaluated;
  platform::WString resultJson;  // the value object on success
  platform::WString errorJson;   // the error object on failure

  bool succeeded() const { return code == kEvaluated; }
};

inline constexpr char16_t kFrameAbsentMessage[] =
    u"Main Frame is no longer available, most likely the Frame has been Disposed or Removed.";
inline constexpr char16_t kNullExceptionMessage[] = u"Exception occured but the Cef V8 exception is null";
inline constexpr char16_t kEvaluationFailedMessage[] = u"An exception occurred while the script was evaluated.";
inline constexpr char16_t kResultNotConvertibleMessage[] = u"The script's result cannot be converted to JSON text.";

// Evaluates the request's script ([0] packed id, not used; [1] code; [2]
// script URL; [3] start line) in `frame`'s context, entered for the
// evaluation and always left again. A script that throws fails with the
// exception's message + "\n@ " + script name + ":" + line + ":" + start
// column.
EvaluationOutcome EvaluateScriptRequest(CefRefPtr<CefFrame> frame, CefRefPtr<CefListValue> arguments);

}  // namespace Kestrun
