// The browser control adds event functions to a page's "WebBrowser" and
// "webBrowser" objects ("JavascriptRegisterEvent") and removes them
// ("JavascriptUnregisterEvent"). Render thread only.
#pragma once

#include "cef_frame.h"
#include "cef_process_message.h"
#include "event_call_watch.h"

namespace Kestrun {

// False for a name that would misroute the call or clobber the objects:
// empty, holding ":" (the RPC request splits function and parameters there)
// or NUL (it ends the function name on the way), or "Invoke", "invoke" or
// "__proto__".
bool IsAcceptableEventName(const CefString& name);

// [0] packed id (not read), [1] the event name. Sets a new function of that
// name, over a handler that calls the control identified by the process-wide
// identifier of now, on both objects of the frame's context (making a
// missing object anew), replacing a function of that name. False, with
// nothing changed, for a refused name, or when the frame is gone or its
// context is absent or cannot be entered.
bool RegisterEvent(EventCallWatch& watch, CefRefPtr<CefFrame> frame, CefRefPtr<CefProcessMessage> message);

// Removes the name from both objects of the frame's context where it is
// set. False, with nothing changed, in the cases RegisterEvent refuses.
bool UnregisterEvent(CefRefPtr<CefFrame> frame, CefRefPtr<CefProcessMessage> message);

}  // namespace Kestrun
