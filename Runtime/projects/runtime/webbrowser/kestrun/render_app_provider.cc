#include "render_app_provider.h"

#include <cstdlib>

#include "message_names.h"
#include "web_browser_object_id.h"

namespace CefProvider {

bool CRenderAppProvider::OnProcessMessageReceived(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                                  CefProcessId /*source_process*/,
                                                  CefRefPtr<CefProcessMessage> message) {
  if (!message) return false;
  const CefString name = message->GetName();
  if (name == Kestrun::kKillKestrunRequest) std::exit(0);
  if (name == Kestrun::kSaveWebBrowserObjectID) return Kestrun::SaveWebBrowserObjectId(state_->slot, message);
  return false;
}

}  // namespace CefProvider
