// EnteredContext: a script context entered for the life of the object and
// left again when it ends, on every path. Render thread only.
#pragma once

#include "cef_v8.h"

namespace Kestrun {

class EnteredContext {
 public:
  // Enters `context`; entered() is false when it is null or cannot be
  // entered (nothing is left at the end then).
  explicit EnteredContext(CefRefPtr<CefV8Context> context)
      : context_(context && context->Enter() ? context : nullptr) {}
  ~EnteredContext() {
    if (context_) context_->Exit();
  }
  EnteredContext(const EnteredContext&) = delete;
  EnteredContext& operator=(const EnteredContext&) = delete;

  bool entered() const { return context_ != nullptr; }
  // The entered context; null when none was entered.
  CefRefPtr<CefV8Context> get() const { return context_; }

 private:
  const CefRefPtr<CefV8Context> context_;
};

}  // namespace Kestrun
