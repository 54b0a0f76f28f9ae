#include "web_browser_handler.h"

#include "cef_browser.h"
#include "cef_frame.h"
#include "entered_context.h"
#include "message_names.h"
#include "packed_id.h"
#include "script_value_json.h"

namespace Kestrun {
namespace {

CefRefPtr<CefProcessMessage> InvokeMessage(const CefV8ValueList& arguments) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(kInvokeWebBrowser);
  CefRefPtr<CefListValue> list = message->GetArgumentList();
  const bool well_formed = arguments.size() == 2 && arguments[0] && arguments[0]->IsInt();
  const platform::WString data = well_formed ? ArgumentToJson(arguments[1]) : platform::WString();
  if (!data.empty()) {
    PackId(list, arguments[0]->GetIntValue());
    list->SetString(1, data);
    list->SetString(2, u"Sucess.");
  } else {
    PackId(list, -1);
    list->SetString(1, u"");
    list->SetString(2, u"Parameter error.");
  }
  return message;
}

void SendThroughMainFrame(CefRefPtr<CefV8Context> context, CefRefPtr<CefProcessMessage> message) {
  CefRefPtr<CefBrowser> browser = context->GetBrowser();
  CefRefPtr<CefFrame> main_frame = browser ? browser->GetMainFrame() : nullptr;
  if (main_frame) main_frame->SendProcessMessage(PID_BROWSER, message);
}

}  // namespace

bool CJSWebBrowserHandler::Execute(const CefString& name, CefRefPtr<CefV8Value> /*object*/,
                                   const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
                                   CefString& exception) {
  const EnteredContext context(exception);
  if (!context.entered()) return true;
  if (name == kInvokeFunction || name == kInvokeFunctionLowerCase) {
    SendThroughMainFrame(context.get(), InvokeMessage(arguments));
    retval = CefV8Value::CreateBool(true);
  }
  return true;
}

}  // namespace Kestrun
