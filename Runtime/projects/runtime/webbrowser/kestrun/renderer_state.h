// RendererState: what the renderer keeps for the life of its process. Built
// by the entry on the main thread, then used by the render thread and the
// RPC server thread as each member says.
#pragma once

#include <memory>

#include "event_call_watch.h"
#include "renderer_services.h"
#include "script_result_slot.h"

namespace Kestrun {

struct RendererState {
  ScriptResultSlot slot;
  EventCallWatch eventCalls;
  // Absent until the first "SaveWebBrowserObjectID" starts the service.
  // Declared last: its server's thread uses the members above.
  std::unique_ptr<RendererServices> services;

  // A state with a fresh slot; null when the slot's semaphore cannot be
  // created.
  static std::unique_ptr<RendererState> Create();
};

}  // namespace Kestrun
