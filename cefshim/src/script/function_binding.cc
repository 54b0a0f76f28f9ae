#include "script/function_binding.h"

#include <jsfriendapi.h>
#include <js/Object.h>

#include <exception>
#include <memory>

#include "script/js_text.h"
#include "script/script_engine.h"
#include "script/v8_value_impl.h"

namespace cefshim::script {
namespace {

// What a function's holder keeps for the function's calls.
struct HandlerRecord {
  CefRefPtr<CefV8Handler> handler;
  CefString name;
};

constexpr std::size_t kRecordSlot = 0;   // in the holder
constexpr std::size_t kHolderSlot = 0;   // in the function

void FinalizeHolder(JS::GCContext* /*gcx*/, JSObject* holder) {
  std::unique_ptr<HandlerRecord> record(JS::GetMaybePtrFromReservedSlot<HandlerRecord>(holder, kRecordSlot));
  ScriptEngine* engine = ScriptEngine::Current();
  if (record && engine) engine->ReleaseAfterCollection(std::move(record->handler));
}

const JSClassOps kHolderOps = {
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, FinalizeHolder, nullptr, nullptr, nullptr,
};

const JSClass kHolderClass = {
    "CefV8HandlerHolder", JSCLASS_HAS_RESERVED_SLOTS(1) | JSCLASS_FOREGROUND_FINALIZE, &kHolderOps, nullptr, nullptr,
    nullptr,
};

// Asks the handler; true when it handled the call.
bool Execute(HandlerRecord& record, ScriptEngine& engine, const JS::CallArgs& args, CefRefPtr<CefV8Value>& retval,
             CefString& exception) {
  CefV8ValueList arguments;
  arguments.reserve(args.length());
  for (unsigned i = 0; i < args.length(); ++i) arguments.push_back(new V8ValueImpl(&engine, args[i]));
  CefRefPtr<CefV8Value> receiver = new V8ValueImpl(&engine, args.thisv());
  const std::size_t entered = engine.EnteredDepth();
  bool handled;
  try {
    handled = record.handler->Execute(record.name, receiver, arguments, retval, exception);
  } catch (const std::exception& e) {
    handled = true;
    exception = std::string("native function failed: ") + e.what();
  }
  engine.LeaveEnteredAbove(entered);
  return handled;
}

bool CallHandler(JSContext* cx, unsigned argc, JS::Value* vp) {
  JS::CallArgs args = JS::CallArgsFromVp(argc, vp);
  JSObject* holder = &js::GetFunctionNativeReserved(&args.callee(), kHolderSlot).toObject();
  HandlerRecord* record = JS::GetMaybePtrFromReservedSlot<HandlerRecord>(holder, kRecordSlot);
  ScriptEngine* engine = ScriptEngine::Current();
  CefRefPtr<CefV8Value> retval;
  CefString exception;
  const bool handled = record && engine && Execute(*record, *engine, args, retval, exception);
  if (handled && !exception.empty()) {
    JS_ReportErrorUTF8(cx, "%s", exception.ToString().c_str());
    return false;
  }
  JS::RootedValue result(cx);
  if (!handled || !V8ValueImpl::Unwrap(retval, &result)) result.setUndefined();
  args.rval().set(result);
  return true;
}

}  // namespace

JSObject* NewHandlerFunction(JSContext* cx, const CefString& name, CefRefPtr<CefV8Handler> handler) {
  JS::RootedObject holder(cx, JS_NewObject(cx, &kHolderClass));
  if (!holder) return nullptr;
  JS::SetReservedSlot(holder, kRecordSlot, JS::PrivateValue(new HandlerRecord{std::move(handler), name}));
  JS::RootedId id(cx);
  if (!NameToId(cx, name.view(), &id)) return nullptr;
  JSFunction* function = js::NewFunctionByIdWithReserved(cx, CallHandler, 0, 0, id);
  if (!function) return nullptr;
  JSObject* object = JS_GetFunctionObject(function);
  js::SetFunctionNativeReserved(object, kHolderSlot, JS::ObjectValue(*holder));
  return object;
}

}  // namespace cefshim::script
