#include "script_result_slot.h"

namespace Kestrun {
namespace {

std::optional<platform::WString> Stored(const platform::WString& text) {
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace

void ScriptResultSlot::ClearTexts() {
  std::lock_guard<std::mutex> guard(lock);
  resultText.reset();
  errorText.reset();
}

void ScriptResultSlot::Store(int result_code, const platform::WString& result, const platform::WString& error) {
  std::optional<platform::WString> stored_result = Stored(result);
  std::optional<platform::WString> stored_error = Stored(error);
  std::lock_guard<std::mutex> guard(lock);
  code = result_code;
  resultText = std::move(stored_result);
  errorText = std::move(stored_error);
}

void ScriptResultSlot::Signal() { semaphore->Release(); }

ScriptResultSlot::Contents ScriptResultSlot::Copy() const {
  std::lock_guard<std::mutex> guard(lock);
  return Contents{code, resultText, errorText};
}

}  // namespace Kestrun
