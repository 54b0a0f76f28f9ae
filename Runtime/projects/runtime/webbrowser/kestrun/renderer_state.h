// RendererState: what the renderer keeps for the life of its process.
#pragma once

#include <memory>

#include "script_result_slot.h"

namespace Kestrun {

struct RendererState {
  ScriptResultSlot slot;

  // A state with a fresh slot; null when the slot's semaphore cannot be
  // created.
  static std::unique_ptr<RendererState> Create();
};

}  // namespace Kestrun
