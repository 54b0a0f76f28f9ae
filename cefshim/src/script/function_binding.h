// Script functions whose calls go to a CefV8Handler.
//
// Each function keeps its handler through a small holder object whose
// finalizer releases it, so the handler lives as long as the function. A
// call hands the handler the function's name, the receiver and the
// arguments; a non-empty exception text from it is thrown as an Error with
// that message, and a C++ exception from it becomes such an Error too.
// Render thread only.
#pragma once

#include <jsapi.h>

#include "cef_v8.h"

namespace cefshim::script {

// A new function in the current realm; null, with an exception pending, on
// failure.
JSObject* NewHandlerFunction(JSContext* cx, const CefString& name, CefRefPtr<CefV8Handler> handler);

}  // namespace cefshim::script
