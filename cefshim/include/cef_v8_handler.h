// CefV8Handler: native code behind a script function made with
// CefV8Value::CreateFunction. Called on the render thread, with the calling
// context entered.
#pragma once

#include <vector>

#include "cef_base.h"
#include "cef_string.h"

class CefV8Value;
typedef std::vector<CefRefPtr<CefV8Value>> CefV8ValueList;

class CefV8Handler : public virtual CefBaseRefCounted {
 public:
  // `name` is the function's name, `object` the receiver (`this`). Return
  // true when handled: a null `retval` then gives undefined, and a non-empty
  // `exception` throws Error(exception) in the script instead. Returning
  // false gives undefined.
  virtual bool Execute(const CefString& name, CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments,
                       CefRefPtr<CefV8Value>& retval, CefString& exception) = 0;
};
