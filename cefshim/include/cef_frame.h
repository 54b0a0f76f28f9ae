// CefFrame: one frame (the main frame or a sub-frame) of a browser.
// Render thread only.
#pragma once

#include <cstdint>

#include "cef_base.h"
#include "cef_process_message.h"
#include "cef_types.h"

class CefBrowser;
class CefV8Context;

class CefFrame : public virtual CefBaseRefCounted {
 public:
  // False once the frame has been detached or its browser destroyed.
  virtual bool IsValid() = 0;
  virtual bool IsMain() = 0;
  // The identifier the browser process gave the frame.
  virtual std::int64_t GetIdentifier() = 0;
  // The browser the frame belongs (or belonged) to.
  virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
  // The frame's script context; null while no page has been loaded in it.
  virtual CefRefPtr<CefV8Context> GetV8Context() = 0;
  // Sends a copy of the message, with this frame's identifiers, to the
  // browser process. A message for any other process, a message sent
  // through a frame that is no longer valid, or one that the connection
  // cannot carry (see the wire format) is dropped.
  virtual void SendProcessMessage(CefProcessId target_process, CefRefPtr<CefProcessMessage> message) = 0;
};
