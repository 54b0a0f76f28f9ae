// CefProcessMessage: a named message with a list of arguments, sent between
// the browser and a renderer. Messages from one frame arrive in the order
// sent. Not synchronised: one thread at a time.
#pragma once

#include "cef_base.h"
#include "cef_values.h"
#include "cef_string.h"

class CefProcessMessage : public virtual CefBaseRefCounted {
 public:
  // A message with an empty argument list.
  static CefRefPtr<CefProcessMessage> Create(const CefString& name);

  virtual bool IsValid() = 0;
  virtual CefString GetName() = 0;
  // The message's own list: changing it changes the message.
  virtual CefRefPtr<CefListValue> GetArgumentList() = 0;
};
