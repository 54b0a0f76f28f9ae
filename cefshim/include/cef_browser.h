// CefBrowser: one browser window as the renderer sees it, with its frames.
// Render thread only.
#pragma once

#include "cef_base.h"

class CefFrame;

class CefBrowser : public virtual CefBaseRefCounted {
 public:
  // False once the browser has been destroyed.
  virtual bool IsValid() = 0;
  // The identifier the browser process gave the browser.
  virtual int GetIdentifier() = 0;
  // True when both refer to the same browser.
  virtual bool IsSame(CefRefPtr<CefBrowser> that) = 0;
  // The main frame; null when it has been detached or the browser destroyed.
  virtual CefRefPtr<CefFrame> GetMainFrame() = 0;
};
