// The script objects "WebBrowser" and "webBrowser" that every page sees on
// its global object, with their functions "Invoke" (on the first) and
// "invoke" (on the second). Render thread only, with the context entered.
#pragma once

#include "cef_v8.h"

namespace Kestrun {

inline constexpr char16_t kWebBrowserObject[] = u"WebBrowser";
inline constexpr char16_t kWebBrowserObjectLowerCase[] = u"webBrowser";

struct ScriptObjects {
  CefRefPtr<CefV8Value> webBrowser;           // "WebBrowser"; null when it cannot be had
  CefRefPtr<CefV8Value> webBrowserLowerCase;  // "webBrowser"; likewise
};

// The two objects of `global`: each one that is missing (or is no object)
// is made anew as a plain object and set read-only.
ScriptObjects EnsureScriptObjects(CefRefPtr<CefV8Value> global);

// Installs the objects in a new context and sets "Invoke" and "invoke" on
// them, each over a handler of its own.
void BindScriptObjects(CefRefPtr<CefV8Context> context);

}  // namespace Kestrun
