#include "script/script_engine.h"

#include <jsfriendapi.h>
#include <js/GCAPI.h>
#include <js/GlobalObject.h>
#include <js/Initialization.h>
#include <js/Interrupt.h>
#include <js/Realm.h>

#include <pthread.h>

#include <atomic>
#include <cstdlib>
#include <mutex>

#include "script/v8_context_impl.h"

namespace cefshim::script {
namespace {

// The most memory the collector lets a renderer's scripts hold.
constexpr std::uint32_t kMaxHeapBytes = 512u << 20;

// Every evaluation compiles a script that is garbage once it has run, while
// a page keeps few live objects. The collector's trigger is a base (by
// default 27 MB of objects, 38 MB of the memory they own) or the live heap,
// whichever is larger, times a growth factor of 1.5 to 3: left alone, a
// steady stream of evaluations grows a renderer by about a hundred megabytes
// before it first collects. Scripts run with those triggers: with bases of
// 1 MB, a script that builds a long string collects three times as often as
// it goes. Between two pieces of work the engine checks the same triggers
// with bases of 1 MB, so that it collects every few thousand evaluations,
// each time over a small heap.
constexpr std::uint32_t kBetweenWorkBaseMB = 1;
// A heap of objects above this size is left to the collector's own
// triggers between two pieces of work as well. It comes from a script that
// allocates, and the collector sized its trigger to that script when it
// last collected; checking the triggers anew (which changing a base does)
// lowers it, so that the next such script collects more often (10 % slower
// for one that makes a million small objects). A stream of evaluations over
// a small live heap stays far below it.
constexpr std::uint64_t kBetweenWorkHeapLimit = std::uint64_t{8} << 20;

thread_local ScriptEngine* current_engine = nullptr;

std::once_flag library_once;
bool library_ready = false;
bool library_ended = false;
std::atomic<int> open_engines{0};

// Three quarters of the calling thread's stack: the engine throws "too much
// recursion" before a script can exhaust it.
std::size_t NativeStackQuota() {
  constexpr std::size_t kFallback = 1u << 20;
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return kFallback;
  void* base = nullptr;
  std::size_t size = 0;
  const bool known = pthread_attr_getstack(&attributes, &base, &size) == 0 && size > 0;
  pthread_attr_destroy(&attributes);
  return known ? size / 4 * 3 : kFallback;
}

// At exit: ends the calling thread's engine, then the library when no
// engine is left.
void EndLibraryAtExit() {
  if (current_engine) current_engine->Close();
  if (open_engines.load() == 0) ScriptEngine::ShutDownProcess();
}

// A global object with the standard classes; in the compartment of
// `share_with` when given, else in a new one.
JSObject* NewGlobal(JSContext* cx, JSObject* share_with) {
  JS::RealmOptions options;
  if (share_with) options.creationOptions().setExistingCompartment(share_with);
  JS::RootedObject global(cx, JS_NewGlobalObject(cx, V8ContextImpl::GlobalClass(), nullptr,
                                                 JS::FireOnNewGlobalHook, options));
  if (!global) return nullptr;
  JSAutoRealm realm(cx, global);
  return JS::InitRealmStandardClasses(cx) ? global.get() : nullptr;
}

}  // namespace

ScriptEngine::ScriptEngine(JSContext* cx, ScriptInterrupt* interrupt) : cx_(cx), interrupt_(interrupt), anchor_(cx) {}

std::unique_ptr<ScriptEngine> ScriptEngine::Create(std::string* error, ScriptInterrupt* interrupt) {
  if (current_engine) {
    *error = "this thread has a script engine already";
    return nullptr;
  }
  std::call_once(library_once, [] {
    library_ready = JS_Init();
    if (library_ready) std::atexit(EndLibraryAtExit);
  });
  if (!library_ready) {
    *error = "the script library cannot be initialised";
    return nullptr;
  }
  JSContext* cx = JS_NewContext(kMaxHeapBytes);
  if (!cx) {
    *error = "no script context can be created";
    return nullptr;
  }
  JS_SetNativeStackQuota(cx, NativeStackQuota());
  if (!js::UseInternalJobQueues(cx) || !JS::InitSelfHostedCode(cx) || !JS_AddInterruptCallback(cx, OnInterrupt)) {
    JS_DestroyContext(cx);
    *error = "the script context cannot be initialised";
    return nullptr;
  }
  std::unique_ptr<ScriptEngine> engine(new ScriptEngine(cx, interrupt));
  if (interrupt) interrupt->Attach(cx);
  open_engines.fetch_add(1);
  engine->anchor_ = NewGlobal(cx, nullptr);
  if (!engine->anchor_) {
    *error = "no global object can be created";
    return nullptr;
  }
  current_engine = engine.get();
  return engine;
}

void ScriptEngine::ShutDownProcess() {
  if (!library_ready || library_ended) return;
  library_ended = true;
  JS_ShutDown();
}

ScriptEngine::~ScriptEngine() {
  Close();
}

void ScriptEngine::Close() {
  if (!cx_) return;
  LeaveEnteredAbove(0);
  // Detaching may release objects that untrack themselves: take a copy.
  const std::unordered_set<EngineBound*> bound = bound_;
  for (EngineBound* object : bound) object->DetachFromEngine();
  anchor_.reset();
  if (interrupt_) interrupt_->Detach();
  JS_DestroyContext(cx_);
  cx_ = nullptr;
  collected_handlers_.clear();
  open_engines.fetch_sub(1);
  if (current_engine == this) current_engine = nullptr;
}

ScriptEngine* ScriptEngine::Current() {
  return current_engine;
}

bool ScriptEngine::OnInterrupt(JSContext* cx) {
  // Called on the engine's own thread, whose engine is the current one.
  ScriptInterrupt* interrupt = current_engine ? current_engine->interrupt_ : nullptr;
  return !interrupt || interrupt->LetRun(cx);
}

CefRefPtr<V8ContextImpl> ScriptEngine::NewContext(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {
  JS::RootedObject global(cx_, NewGlobal(cx_, anchor_));
  if (!global) {
    JS_ClearPendingException(cx_);
    return nullptr;
  }
  return new V8ContextImpl(this, global, std::move(browser), std::move(frame));
}

V8ContextImpl* ScriptEngine::CurrentContext() const {
  JSObject* global = JS::CurrentGlobalOrNull(cx_);
  return global ? V8ContextImpl::FromGlobal(global) : nullptr;
}

void ScriptEngine::PushEntered(V8ContextImpl* context, JS::Realm* previous) {
  entered_.push_back(Entered{context, previous});
}

bool ScriptEngine::PopEntered(V8ContextImpl* context, JS::Realm** previous) {
  if (entered_.empty() || entered_.back().context != context) return false;
  *previous = entered_.back().previous;
  entered_.pop_back();
  return true;
}

void ScriptEngine::LeaveEnteredAbove(std::size_t depth) {
  while (entered_.size() > depth) {
    JS::LeaveRealm(cx_, entered_.back().previous);
    entered_.pop_back();
  }
}

void ScriptEngine::RunPendingJobs() {
  AutoSomeRealm realm(*this);
  js::RunJobs(cx_);
  JS_ClearPendingException(cx_);
  collected_handlers_.clear();
}

void ScriptEngine::CollectIfDue() {
  if (JS_GetGCParameter(cx_, JSGC_BYTES) >= kBetweenWorkHeapLimit) return;
  JS_SetGCParameter(cx_, JSGC_ALLOCATION_THRESHOLD, kBetweenWorkBaseMB);
  JS_SetGCParameter(cx_, JSGC_MALLOC_THRESHOLD_BASE, kBetweenWorkBaseMB);
  JS_MaybeGC(cx_);
  JS_ResetGCParameter(cx_, JSGC_ALLOCATION_THRESHOLD);
  JS_ResetGCParameter(cx_, JSGC_MALLOC_THRESHOLD_BASE);
  collected_handlers_.clear();
}

AutoSomeRealm::AutoSomeRealm(ScriptEngine& engine)
    : cx_(engine.cx()),
      previous_(JS::GetCurrentRealmOrNull(cx_)),
      entered_(previous_ == nullptr) {
  if (entered_) JS::EnterRealm(cx_, engine.anchor());
}

AutoSomeRealm::~AutoSomeRealm() {
  if (entered_) JS::LeaveRealm(cx_, previous_);
}

}  // namespace cefshim::script
