// ScriptInterrupt: ends the scripts of a render thread from another thread,
// for a renderer whose host has gone. Once Stop() has been called, the
// script running on the render thread ends at the engine's next interrupt
// check (loop iterations, calls), as an uncatchable failure without an
// exception; so does any later code at its first check, and the engine
// starts no further script (ScriptEngine::stopped()): nothing keeps the
// render thread busy for long.
//
// Thread safety: Stop() and stopped() from any thread; Attach, Detach and
// the engine's interrupt callback on the render thread, Attach before any
// script runs and Detach before its JSContext is destroyed.
#pragma once

#include <jsapi.h>

#include <atomic>
#include <mutex>

namespace cefshim::script {

class ScriptInterrupt {
 public:
  ScriptInterrupt() = default;
  ScriptInterrupt(const ScriptInterrupt&) = delete;
  ScriptInterrupt& operator=(const ScriptInterrupt&) = delete;

  void Stop();
  bool stopped() const { return stopped_.load(); }

  // `cx` is the render thread's context: Stop() interrupts it from now on
  // (at once when Stop() came already).
  void Attach(JSContext* cx);
  // The context is about to go: Stop() no longer touches it.
  void Detach();

  // The answer to the engine's interrupt callback: false (end the script)
  // once stopped, asking the engine to call again so that the next script
  // ends as well.
  bool LetRun(JSContext* cx);

 private:
  std::mutex mutex_;
  JSContext* cx_ = nullptr;  // guarded by mutex_
  std::atomic<bool> stopped_{false};
};

}  // namespace cefshim::script
