#include "events_handler.h"

#include <optional>
#include <string_view>

#include "entered_context.h"
#include "rpc/file_mapping_client.h"

namespace Kestrun {
namespace {

// The text that one argument sends: a string the channel carries whole. A
// request ends at its first NUL on the way, so a string holding one would
// arrive cut; it is refused like an argument of another kind.
std::optional<CefString> ParameterText(const CefRefPtr<CefV8Value>& argument) {
  if (!argument || !argument->IsString()) return std::nullopt;
  CefString text = argument->GetStringValue();
  if (std::u16string_view(text.c_str(), text.length()).find(u'\0') != std::u16string_view::npos) return std::nullopt;
  return text;
}

}  // namespace

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
    return true;
  }
  const std::optional<CefString> parameters = arguments.empty() ? CefString() : ParameterText(arguments[0]);
  retval = CefV8Value::CreateString(parameters ? CallControl(name, *parameters) : platform::WString(kParameterError));
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
