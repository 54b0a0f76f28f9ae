// Handlers of the browser control's two evaluation requests. Both run the
// evaluation of script_evaluation.h and then signal the script-result
// slot once, on every path, so that an "ExecJS" call waiting then (or the
// next one) returns. Render thread only; no exception leaves them.
#pragma once

#include "cef_browser.h"
#include "cef_frame.h"
#include "cef_process_message.h"
#include "script_result_slot.h"

namespace Kestrun {

// "EvaluateJavascriptRequestAsync": answers "EvaluateJavascriptResponseAsync"
// to `source_process`, [0] the success flag, then [2] the result JSON or
// [1] the error JSON, through the request's frame. A request whose frame is
// gone is answered with its failure through the browser's main frame (when
// the browser still has one). Leaves the slot's texts as they are. Always
// returns true.
bool EvaluateAsync(ScriptResultSlot& slot, CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   CefProcessId source_process, CefRefPtr<CefProcessMessage> message);

// "EvaluateJavascriptRequestSync": clears the slot's texts, evaluates, and
// stores the code with the result or error JSON in the slot. True only when
// the evaluation succeeded.
bool EvaluateSync(ScriptResultSlot& slot, CefRefPtr<CefFrame> frame, CefRefPtr<CefProcessMessage> message);

}  // namespace Kestrun
