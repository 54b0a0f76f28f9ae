// CJSEventsHandler: the native side of an event function that the browser
// control added to "WebBrowser" and "webBrowser": a call from script calls
// the control's function of the same name over RPC, on the control's server
// "Local\" + identifier + "_SECTQE_Server", and gives the script its answer.
// Render thread only.
#pragma once

#include <memory>

#include "cef_v8.h"
#include "event_call_watch.h"
#include "platform/text_types.h"
#include "rpc/rpc_client.h"

namespace Kestrun {

inline constexpr char16_t kParameterError[] = u"Parameter error.";
inline constexpr char16_t kWrongNumberOfParameters[] = u"Wrong number of parameters.";

class CJSEventsHandler final : public CefV8Handler {
 public:
  // `objectId` is the control's identifier at registration, kept for the
  // handler's life. `watch` is not owned and must outlive the handler.
  CJSEventsHandler(platform::WString objectId, EventCallWatch* watch);
  ~CJSEventsHandler() override;

  // With no argument or one string, calls the control's function `name`
  // with that text ("" for none) and returns its answer as a string: the
  // result text, or "" when there is none (the control answered with an
  // error, is not there, or went away). The call blocks the render thread
  // until the control answers; while the control waits in "ExecJS" it is
  // bounded (event_call_watch.h). One argument of another kind, or a
  // string holding U+0000 (the channel would cut it there), gives
  // "Parameter error.", more than one "Wrong number of parameters.",
  // without a call. Without a current context, or one that cannot be
  // entered, the script gets an exception instead.
  bool Execute(const CefString& name, CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments,
               CefRefPtr<CefV8Value>& retval, CefString& exception) override;

 private:
  platform::WString CallControl(const CefString& name, const CefString& parameters);

  const std::unique_ptr<RPCClient::CRPCClient> client_;
  const platform::WString objectId_;
  EventCallWatch* const watch_;

  IMPLEMENT_REFCOUNTING(CJSEventsHandler);
};

}  // namespace Kestrun
