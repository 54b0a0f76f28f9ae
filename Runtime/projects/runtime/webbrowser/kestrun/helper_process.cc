#include "helper_process.h"

#include <string>

#include "cef_app.h"
#include "other_app_provider.h"
#include "platform/message_box.h"
#include "render_app_provider.h"
#include "renderer_services.h"
#include "renderer_state.h"

namespace Kestrun {
namespace {

// The renderer's state, never freed: it lives as long as the process. Null
// until created, and when it cannot be.
RendererState* process_renderer_state = nullptr;

RendererState* CreateProcessRendererState() {
  process_renderer_state = RendererState::Create().release();
  return process_renderer_state;
}

// The application object for a renderer or another child process kind;
// null (after telling why) when it cannot be built.
CefRefPtr<CefProvider::ClientApp> CreateProvider(ProcessKind kind) {
  if (kind != kRendererProcess) return new CefProvider::COtherAppProvider();
  RendererState* state = CreateProcessRendererState();
  if (!state) {
    platform::ShowMessageBox(u"Kestrun", u"The script-result semaphore cannot be created.");
    return nullptr;
  }
  return new CefProvider::CRenderAppProvider(state);
}

}  // namespace

ProcessKind GetProcessType(CefRefPtr<CefCommandLine> command_line) {
  if (!command_line->HasSwitch("type")) return kBrowserProcess;
  const std::string type = command_line->GetSwitchValue("type").ToString();
  return type == "renderer" ? kRendererProcess : kOtherProcess;
}

int RunHelperProcess(int argc, char* argv[]) {
  CefEnableHighDPISupport();
  const CefMainArgs main_args(argc, argv);
  CefRefPtr<CefCommandLine> command_line = CefCommandLine::CreateCommandLine();
  command_line->InitFromArgv(argc, argv);
  const ProcessKind kind = GetProcessType(command_line);
  if (kind == kBrowserProcess) {
    platform::ShowMessageBox(u"Debug", u"Browser Process");
    return 0;
  }
  CefRefPtr<CefProvider::ClientApp> provider = CreateProvider(kind);
  if (!provider) return 1;
  const int result = CefExecuteProcess(main_args, provider, nullptr);
  // No thread of the renderer's may run while the process exits.
  if (process_renderer_state != nullptr) StopRendererService(*process_renderer_state);
  return result;
}

}  // namespace Kestrun
