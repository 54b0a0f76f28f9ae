// The WebBrowser object identifier that the browser control gives the
// renderer with "SaveWebBrowserObjectID". Render thread only.
#pragma once

#include "cef_process_message.h"
#include "platform/text_types.h"
#include "script_result_slot.h"

namespace Kestrun {

// The process-wide identifier that event functions use to reach the
// control; empty until a non-empty one arrives. Lives until the process ends.
platform::WString& ProcessWebBrowserObjectId();

// Handler of "SaveWebBrowserObjectID" ([0] packed id, [1] identifier): a
// non-empty identifier replaces both the slot's and the process-wide one,
// and gives true; an empty or missing one changes nothing and gives false.
bool SaveWebBrowserObjectId(ScriptResultSlot& slot, CefRefPtr<CefProcessMessage> message);

}  // namespace Kestrun
