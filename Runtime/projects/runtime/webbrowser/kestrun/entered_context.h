// EnteredContext: a script context entered for the life of the object and
// left again when it ends, on every path. Render thread only.
#pragma once

#include "cef_v8.h"

namespace Kestrun {

inline constexpr char16_t kNoCurrentContext[] = u"Unable to get current context";
inline constexpr char16_t kCannotEnterContext[] = u"Unable to Enter Context";

class EnteredContext {
 public:
  // Enters `context`; entered() is false when it is null or cannot be
  // entered (nothing is left at the end then).
  explicit EnteredContext(CefRefPtr<CefV8Context> context)
      : context_(context && context->Enter() ? context : nullptr) {}

  // For a native function's call: enters the current context. When there is
  // none, or it cannot be entered, entered() is false and `exception` gets
  // the text the script is to throw.
  explicit EnteredContext(CefString& exception) : EnteredContext(CefV8Context::GetCurrentContext()) {
    if (!entered()) exception = CefV8Context::GetCurrentContext() ? kCannotEnterContext : kNoCurrentContext;
  }
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
