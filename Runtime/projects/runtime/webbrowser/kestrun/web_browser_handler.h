// CJSWebBrowserHandler: the native side of "WebBrowser.Invoke" and
// "webBrowser.invoke", which send the browser control a command with data
// ("InvokeWebBrowser"). Render thread only.
#pragma once

#include "cef_v8.h"

namespace Kestrun {

class CJSWebBrowserHandler final : public CefV8Handler {
 public:
  // "Invoke" or "invoke" sends "InvokeWebBrowser" through the main frame of
  // the calling context's browser: [0] the packed command number (the
  // first argument, a 32-bit integer), [1] the second argument as JSON
  // (script_value_json.h, milliseconds unpadded), [2] "Sucess.". Any other
  // arguments, or data that cannot become JSON text, send [0] -1, [1] ""
  // and [2] "Parameter error.". Returns true to the script either way.
  // Without a current context, or one that cannot be entered, the script
  // gets an exception instead.
  bool Execute(const CefString& name, CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments,
               CefRefPtr<CefV8Value>& retval, CefString& exception) override;

 private:
  IMPLEMENT_REFCOUNTING(CJSWebBrowserHandler);
};

}  // namespace Kestrun
