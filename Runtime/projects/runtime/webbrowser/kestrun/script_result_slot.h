// ScriptResultSlot: where the render thread leaves the outcome of a
// synchronous script evaluation for the RPC server thread. One per renderer
// process. The render thread writes the texts and the code and then releases
// the semaphore; the server thread reads them only after taking it.
#pragma once

#include <memory>
#include <optional>

#include "platform/semaphore.h"
#include "platform/text_types.h"

namespace Kestrun {

struct ScriptResultSlot {
  // Initial count 0, maximum 1: at most one signal is ever pending.
  std::unique_ptr<platform::Semaphore> semaphore;
  // The WebBrowser object identifier; empty until the control sends one.
  platform::WString objectId;
  // The JSON texts of the last synchronous result or failure; absent until
  // an evaluation writes them.
  std::optional<platform::WString> resultText;
  std::optional<platform::WString> errorText;
  // The result code of the last synchronous evaluation (0: evaluated).
  int code = 0;
};

}  // namespace Kestrun
