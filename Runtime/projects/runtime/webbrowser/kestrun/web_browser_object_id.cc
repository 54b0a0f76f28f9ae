#include "web_browser_object_id.h"

#include "packed_id.h"

namespace Kestrun {

platform::WString& ProcessWebBrowserObjectId() {
  // Never freed: threads may still read it while the process exits.
  static platform::WString* const identifier = new platform::WString();
  return *identifier;
}

bool SaveWebBrowserObjectId(ScriptResultSlot& slot, CefRefPtr<CefProcessMessage> message) {
  CefRefPtr<CefListValue> arguments = message->GetArgumentList();
  ReadPackedId(arguments);  // read as the control sends it, not used
  const platform::WString identifier = arguments->GetString(1);
  if (identifier.empty()) return false;
  slot.objectId = identifier;
  ProcessWebBrowserObjectId() = identifier;
  return true;
}

}  // namespace Kestrun
