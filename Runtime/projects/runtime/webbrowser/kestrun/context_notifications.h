// What the renderer tells the browser control about script contexts: a new
// context ("OnContextCreated", after the script objects are in it) and an
// exception that no script caught ("OnUncaughtException", with its stack).
// Render thread only.
#pragma once

#include "cef_frame.h"
#include "cef_v8.h"

namespace Kestrun {

// Installs the script objects in `context`, then sends "OnContextCreated"
// ([0] the frame's packed identifier) through `frame`.
void NotifyContextCreated(CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context> context);

// Sends "OnUncaughtException" through `frame`: [0] the frame's packed
// identifier, [1] the exception's message, [2] one list per stack frame,
// innermost first: function name, line, column, script name or source URL
// (an empty list when there is no stack).
void NotifyUncaughtException(CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Exception> exception,
                             CefRefPtr<CefV8StackTrace> stack_trace);

}  // namespace Kestrun
