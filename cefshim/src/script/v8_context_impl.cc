#include "script/v8_context_impl.h"

#include <js/CompilationAndEvaluation.h>
#include <js/Object.h>
#include <js/Realm.h>
#include <js/SourceText.h>

#include <algorithm>
#include <string>

#include "script/script_engine.h"
#include "script/v8_exception_impl.h"
#include "script/v8_value_impl.h"

namespace cefshim::script {
namespace {

// The global's application slot that points at its context.
constexpr std::uint32_t kContextSlot = 0;

const JSClass kGlobalClass = {
    "global", JSCLASS_GLOBAL_FLAGS, &JS::DefaultGlobalClassOps, nullptr, nullptr, nullptr,
};

}  // namespace

const JSClass* V8ContextImpl::GlobalClass() {
  return &kGlobalClass;
}

V8ContextImpl* V8ContextImpl::FromGlobal(JSObject* global) {
  const JS::Value slot = JS::GetReservedSlot(global, kContextSlot);
  return slot.isUndefined() ? nullptr : static_cast<V8ContextImpl*>(slot.toPrivate());
}

V8ContextImpl::V8ContextImpl(ScriptEngine* engine, JS::HandleObject global, CefRefPtr<CefBrowser> browser,
                             CefRefPtr<CefFrame> frame)
    : engine_(engine), global_(engine->cx(), global), browser_(std::move(browser)), frame_(std::move(frame)) {
  JS::SetReservedSlot(global, kContextSlot, JS::PrivateValue(this));
  engine_->Track(this);
}

V8ContextImpl::~V8ContextImpl() {
  Invalidate();
}

void V8ContextImpl::Invalidate() {
  if (!engine_) return;
  JS::SetReservedSlot(global_, kContextSlot, JS::UndefinedValue());
  global_.reset();
  engine_->Untrack(this);
  engine_ = nullptr;
}

CefRefPtr<CefV8Value> V8ContextImpl::GetGlobal() {
  if (!engine_) return nullptr;
  JS::RootedValue global(engine_->cx(), JS::ObjectValue(*global_));
  return new V8ValueImpl(engine_, global);
}

bool V8ContextImpl::Enter() {
  if (!engine_) return false;
  engine_->PushEntered(this, JS::EnterRealm(engine_->cx(), global_));
  return true;
}

bool V8ContextImpl::Exit() {
  JS::Realm* previous = nullptr;
  if (!engine_ || !engine_->PopEntered(this, &previous)) return false;
  JS::LeaveRealm(engine_->cx(), previous);
  return true;
}

bool V8ContextImpl::Eval(const CefString& code, const CefString& script_url, int start_line,
                         CefRefPtr<CefV8Value>& retval, CefRefPtr<CefV8Exception>& exception) {
  retval = nullptr;
  exception = nullptr;
  if (!engine_) return false;
  JSContext* cx = engine_->cx();
  JSAutoRealm realm(cx, global_);
  JS::RootedValue result(cx);
  if (!Run(code, script_url, start_line, &result, exception, nullptr)) return false;
  retval = new V8ValueImpl(engine_, result);
  return true;
}

void V8ContextImpl::RunPageScript(const CefString& source, const CefString& url, CefRefPtr<CefV8Exception>& exception,
                                  CefRefPtr<CefV8StackTrace>& stack_trace) {
  exception = nullptr;
  stack_trace = nullptr;
  if (!engine_) return;
  JSContext* cx = engine_->cx();
  JSAutoRealm realm(cx, global_);
  JS::RootedValue result(cx);
  Run(source, url, 1, &result, exception, &stack_trace);
}

bool V8ContextImpl::Run(const CefString& code, const CefString& url, int start_line, JS::MutableHandleValue result,
                        CefRefPtr<CefV8Exception>& exception, CefRefPtr<CefV8StackTrace>* stack_trace) {
  JSContext* cx = engine_->cx();
  if (engine_->stopped()) return false;
  const std::string file_name = url.ToString();
  JS::CompileOptions options(cx);
  options.setFileAndLine(file_name.c_str(), static_cast<unsigned>(std::max(start_line, 1)));
  JS::SourceText<char16_t> text;
  if (text.init(cx, code.c_str(), code.length(), JS::SourceOwnership::Borrowed) &&
      JS::Evaluate(cx, options, text, result)) {
    return true;
  }
  TakePendingException(cx, exception, stack_trace);
  return false;
}

}  // namespace cefshim::script

CefRefPtr<CefV8Context> CefV8Context::GetCurrentContext() {
  cefshim::script::ScriptEngine* engine = cefshim::script::ScriptEngine::Current();
  return engine ? engine->CurrentContext() : nullptr;
}
