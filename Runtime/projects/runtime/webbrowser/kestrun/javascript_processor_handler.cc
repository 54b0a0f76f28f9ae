#include "javascript_processor_handler.h"

#include "platform/wait.h"
#include "rpc/caller_presence.h"
#include "script_evaluation.h"

namespace Kestrun {
namespace {

// How often a waiting "ExecJS" looks at the event call in progress.
constexpr std::uint32_t kWatchIntervalMs = 100;

const platform::WChar* HandOut(std::optional<platform::WString>& text, platform::WString& kept) {
  if (!text) return nullptr;
  kept = std::move(*text);
  return kept.c_str();
}

}  // namespace

int CJavaScriptProcessorHandler::Invoke(const platform::WChar* function, const platform::WChar* /*parameters*/,
                                        const platform::WChar** result, const platform::WChar** error) {
  if (function == nullptr || platform::WStringView(function) != kExecJsFunction) return 0;
  const platform::WChar* result_text = nullptr;
  const platform::WChar* error_text = nullptr;
  int code = kEvaluationStepFailed;
  try {
    if (WaitForEvaluation()) {
      ScriptResultSlot::Contents contents = slot_->Copy();
      code = contents.code;
      result_text = HandOut(contents.resultText, result_);
      error_text = HandOut(contents.errorText, error_);
    }
  } catch (...) {
    result_text = error_text = nullptr;
  }
  if (result != nullptr) *result = result_text;
  if (error != nullptr) *error = error_text;
  return code;
}

bool CJavaScriptProcessorHandler::WaitForEvaluation() {
  const EventCallWatch::Clock::time_point waiting_since = EventCallWatch::Clock::now();
  platform::WaitOptions options;
  options.timeout_ms = kWatchIntervalMs;
  options.peer_alive = RPCServer::CallerIsPresent;
  for (;;) {
    const platform::WaitResult waited = platform::WaitForObject(*slot_->semaphore, options);
    if (waited == platform::WaitResult::kTimeout) {
      watch_->EndCallHoldingUp(waiting_since);
      continue;
    }
    if (waited != platform::WaitResult::kSignaled) return false;
    // A caller that went before the signal came leaves it to the next: the
    // evaluation that gave it was not this caller's.
    if (RPCServer::CallerIsPresent()) return true;
    slot_->Signal();
    return false;
  }
}

}  // namespace Kestrun
