// The process message behind CefProcessMessage::Create.
#pragma once

#include "cef_process_message.h"

namespace cefshim {

class CefProcessMessageImpl : public CefProcessMessage {
 public:
  CefProcessMessageImpl(const CefString& name, CefRefPtr<CefListValue> arguments)
      : name_(name), arguments_(std::move(arguments)) {}

  bool IsValid() override { return true; }
  CefString GetName() override { return name_; }
  CefRefPtr<CefListValue> GetArgumentList() override { return arguments_; }

 private:
  const CefString name_;
  const CefRefPtr<CefListValue> arguments_;

  IMPLEMENT_REFCOUNTING(CefProcessMessageImpl);
};

}  // namespace cefshim
