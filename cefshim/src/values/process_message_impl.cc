#include "values/process_message_impl.h"

CefRefPtr<CefProcessMessage> CefProcessMessage::Create(const CefString& name) {
  return new cefshim::CefProcessMessageImpl(name, CefListValue::Create());
}
