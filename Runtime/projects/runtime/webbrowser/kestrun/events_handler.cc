#include "events_handler.h"

#include "entered_context.h"
#include "rpc/file_mapping_client.h"

namespace Kestrun {

CJSEventsHandler::CJSEventsHandler(platform::WString objectId, EventCallWatch* watch)
    : client_(std::make_unique<RPCClient::CRPCClient>(new RPCClient::CFileMappingClient())),
      objectId_(std::move(objectId)),
      watch_(watch) {}

CJSEventsHandler::~CJSEventsHandler() { client_->Disconnect(); }

bool CJSEventsHandler::Execute(const CefString& name, CefRefPtr<CefV8Value> /*object*/,
                               const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
                               CefString& exception) {
  const EnteredContext context(exception);
  if (!context.entered()) return true;
  if (arguments.size() > 1) {
    retval = CefV8Value::CreateString(kWrongNumberOfParameters);
  } else if (arguments.size() == 1 && !(arguments[0] && arguments[0]->IsString())) {
    retval = CefV8Value::CreateString(kParameterError);
  } else {
    const CefString parameters = arguments.empty() ? CefString() : arguments[0]->GetStringValue();
    retval = CefV8Value::CreateString(CallControl(name, parameters));
  }
  return true;
}

platform::WString CJSEventsHandler::CallControl(const CefString& name, const CefString& parameters) {
  const platform::WString service = u"Local\\" + objectId_ + u"_SECTQE_Server";
  client_->Connect(service.c_str(), 1000000);
  const platform::WChar* result = nullptr;
  {
    const EventCallWatch::Call watched(*watch_);
    client_->Call(name.c_str(), parameters.c_str(), &result, nullptr);
  }
  platform::WString answer = result != nullptr ? result : u"";
  client_->Disconnect();
  return answer;
}

}  // namespace Kestrun
