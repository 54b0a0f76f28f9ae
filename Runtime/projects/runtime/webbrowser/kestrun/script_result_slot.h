// ScriptResultSlot: where the render thread leaves the outcome of a
// synchronous script evaluation for the RPC server thread. One per renderer
// process. The render thread stores the texts and the code and then
// signals the semaphore; the server thread takes the semaphore and then
// copies them out. The texts and the code are written and copied under
// `lock`, so a copy never meets a text being freed.
#pragma once

#include <memory>
#include <mutex>
#include <optional>

#include "platform/semaphore.h"
#include "platform/text_types.h"

namespace Kestrun {

struct ScriptResultSlot {
  // What an evaluation left in the slot; a text is absent when it is empty.
  struct Contents {
    int code = 0;
    std::optional<platform::WString> resultText;
    std::optional<platform::WString> errorText;
  };

  // Initial count 0, maximum 1: at most one signal is ever pending.
  std::unique_ptr<platform::Semaphore> semaphore;
  // The WebBrowser object identifier; empty until the control sends one.
  // Render thread only.
  platform::WString objectId;
  // The JSON texts of the last synchronous result or failure, absent until
  // an evaluation writes them, and its result code (0: evaluated). Guarded
  // by `lock`.
  std::optional<platform::WString> resultText;
  std::optional<platform::WString> errorText;
  int code = 0;
  mutable std::mutex lock;

  // Render thread: drops the texts of the previous evaluation.
  void ClearTexts();
  // Render thread: stores an evaluation's code and texts (an empty text is
  // stored as absent).
  void Store(int result_code, const platform::WString& result, const platform::WString& error);
  // Any thread: adds the one pending signal (a signal already pending
  // stays the only one).
  void Signal();
  // Any thread: a copy of the code and the texts.
  Contents Copy() const;
};

}  // namespace Kestrun
