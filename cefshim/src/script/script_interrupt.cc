#include "script/script_interrupt.h"

#include <js/Interrupt.h>

namespace cefshim::script {

void ScriptInterrupt::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  stopped_.store(true);
  if (cx_) JS_RequestInterruptCallback(cx_);
}

void ScriptInterrupt::Attach(JSContext* cx) {
  std::lock_guard<std::mutex> lock(mutex_);
  cx_ = cx;
  if (stopped_.load()) JS_RequestInterruptCallback(cx_);
}

void ScriptInterrupt::Detach() {
  std::lock_guard<std::mutex> lock(mutex_);
  cx_ = nullptr;
}

bool ScriptInterrupt::LetRun(JSContext* cx) {
  if (!stopped_.load()) return true;
  JS_RequestInterruptCallback(cx);
  return false;
}

}  // namespace cefshim::script
