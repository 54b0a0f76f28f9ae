// ScriptEngine: the render thread's SpiderMonkey runtime.
//
// One engine per render thread: one JSContext, and one compartment that
// every page's global object (realm) shares, so that values pass between
// contexts without wrappers. The engine knows the objects that hold its
// roots (EngineBound) and detaches them when it is destroyed, and it keeps
// the stack of contexts entered by CefV8Context::Enter. Scripts run with the
// collector's own triggers; between two pieces of work the engine collects
// once about 1 MB of garbage has piled up over a small live heap, so that a
// long stream of evaluations keeps the renderer near its live size.
//
// Thread safety: an engine is created, used and destroyed on one thread.
#pragma once

#include <jsapi.h>

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "cef_browser.h"
#include "cef_frame.h"
#include "cef_v8_handler.h"
#include "script/engine_bound.h"
#include "script/script_interrupt.h"

namespace cefshim::script {

class V8ContextImpl;

class ScriptEngine {
 public:
  // An engine for the calling thread, which must not have one already. Null,
  // with the reason in `error`, when the engine cannot start. Its scripts
  // end once `interrupt` (when given; it must outlive the engine) is
  // stopped.
  static std::unique_ptr<ScriptEngine> Create(std::string* error, ScriptInterrupt* interrupt = nullptr);
  // Ends the library once every engine of the process is gone; call at most
  // once, from the thread that outlives the others. A process that exits
  // without it (exit() on the render thread) still ends the library, and the
  // calling thread's engine, on its way out; without that, the library's
  // own exit handlers crash.
  static void ShutDownProcess();

  // Ends the engine: see Close().
  ~ScriptEngine();
  ScriptEngine(const ScriptEngine&) = delete;
  ScriptEngine& operator=(const ScriptEngine&) = delete;

  // The calling thread's engine; null on any other thread.
  static ScriptEngine* Current();

  JSContext* cx() const { return cx_; }

  // True once the engine's interrupt has been stopped: no script may start.
  bool stopped() const { return interrupt_ && interrupt_->stopped(); }

  // Detaches every context and value, then ends the JSContext. The engine
  // is unusable afterwards; closing again does nothing.
  void Close();

  // A new page context: a fresh global object with the standard classes.
  // Null when the engine cannot make one.
  CefRefPtr<V8ContextImpl> NewContext(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame);

  // The context whose realm is current, or null.
  V8ContextImpl* CurrentContext() const;

  // The stack of CefV8Context::Enter calls.
  void PushEntered(V8ContextImpl* context, JS::Realm* previous);
  // Pops the innermost entry when it belongs to `context`; false otherwise.
  bool PopEntered(V8ContextImpl* context, JS::Realm** previous);
  std::size_t EnteredDepth() const { return entered_.size(); }
  // Leaves the contexts entered above `depth`, innermost first: what a
  // handler entered and did not exit.
  void LeaveEnteredAbove(std::size_t depth);

  // Runs the promise jobs that scripts have queued, then drops the handlers
  // of collected functions.
  void RunPendingJobs();

  // Call between two pieces of work, with no script running. Collects when
  // the garbage since the last collection (objects, or memory they own)
  // passes about 1 MB over a small live heap, or in proportion over a larger
  // one, while the heap of objects is under 8 MB; a larger heap is left to
  // the collector's own triggers. Then drops the handlers of collected
  // functions.
  void CollectIfDue();

  // Keeps a handler whose function the collector has finalized until the
  // collection is over: its release may drop values, which must not happen
  // during a collection.
  void ReleaseAfterCollection(CefRefPtr<CefV8Handler> handler) { collected_handlers_.push_back(std::move(handler)); }

  void Track(EngineBound* object) { bound_.insert(object); }
  void Untrack(EngineBound* object) { bound_.erase(object); }

  // A global of the shared compartment that belongs to no page: the realm
  // for making primitive values when no context is entered.
  JSObject* anchor() const { return anchor_; }

 private:
  ScriptEngine(JSContext* cx, ScriptInterrupt* interrupt);

  // The engine's interrupt callback (render thread).
  static bool OnInterrupt(JSContext* cx);

  struct Entered {
    V8ContextImpl* context;
    JS::Realm* previous;
  };

  JSContext* cx_;  // null once closed
  ScriptInterrupt* const interrupt_;  // may be null
  JS::PersistentRootedObject anchor_;
  std::unordered_set<EngineBound*> bound_;
  std::vector<Entered> entered_;
  std::vector<CefRefPtr<CefV8Handler>> collected_handlers_;
};

// Puts the engine in the anchor's realm for the life of the object, unless
// it is in a realm already.
class AutoSomeRealm {
 public:
  explicit AutoSomeRealm(ScriptEngine& engine);
  ~AutoSomeRealm();
  AutoSomeRealm(const AutoSomeRealm&) = delete;
  AutoSomeRealm& operator=(const AutoSomeRealm&) = delete;

 private:
  JSContext* cx_;  // null once closed
  JS::Realm* const previous_;
  const bool entered_;
};

}  // namespace cefshim::script
