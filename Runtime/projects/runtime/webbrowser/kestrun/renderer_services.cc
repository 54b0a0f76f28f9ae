#include "renderer_services.h"

#include "platform/message_box.h"
#include "renderer_state.h"
#include "rpc/file_mapping_server.h"

namespace Kestrun {

platform::WString RendererServiceName(const platform::WString& objectId) {
  return u"Local\\" + objectId + u"_SECJS_Server";
}

void StartRendererService(RendererState& state) {
  if (state.services) return;
  auto services = std::make_unique<RendererServices>();
  services->objectId = state.slot.objectId;
  services->delegate = new CJavaScriptProcessorHandler(&state.slot, &state.eventCalls);
  services->server = std::make_unique<RPCServer::CRPCServer>(new RPCServer::CFileMappingServerImp());
  services->server->RegisterFunction(kExecJsFunction, services->delegate);
  const platform::WString name = RendererServiceName(services->objectId);
  if (services->server->Start(name.c_str(), 1000000) != 0) {
    platform::ShowMessageBox(u"Kestrun", u"The script service " + name + u" cannot be started.");
  }
  state.services = std::move(services);
}

void StopRendererService(RendererState& state) { state.services.reset(); }

}  // namespace Kestrun
