// RendererServices: the renderer's RPC service, through which the browser
// control calls "ExecJS". Started by the first "SaveWebBrowserObjectID"
// under "Local\" + identifier + "_SECJS_Server" and kept for the life of
// the process: later identifiers do not rename it.
#pragma once

#include <memory>

#include "javascript_processor_handler.h"
#include "platform/text_types.h"
#include "rpc/rpc_server.h"

namespace Kestrun {

struct RendererState;

struct RendererServices {
  // Stops the server's thread (and with it a waiting "ExecJS") first.
  std::unique_ptr<RPCServer::CRPCServer> server;
  CJavaScriptProcessorHandler* delegate = nullptr;  // owned by the server
  platform::WString objectId;                       // the identifier it was named after
};

// The mapping name of the renderer's service for `objectId`.
platform::WString RendererServiceName(const platform::WString& objectId);

// Render thread, after every "SaveWebBrowserObjectID": the first call
// starts the service under the slot's identifier (even an empty one) and
// stores it in `state`; later calls do nothing. A service that cannot
// start is reported on standard error and not tried again.
void StartRendererService(RendererState& state);

// Stops the service, if it runs, and waits for its thread (a waiting
// "ExecJS" is woken and its call fails), so that nothing of it runs while
// the process exits. Any thread but the service's own.
void StopRendererService(RendererState& state);

}  // namespace Kestrun
