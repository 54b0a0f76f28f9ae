#include "script/v8_value_impl.h"

#include <jsfriendapi.h>
#include <js/Array.h>
#include <js/Date.h>
#include <js/GlobalObject.h>
#include <js/PropertyAndElement.h>

#include <cmath>
#include <cstdint>

#include "script/calendar.h"
#include "script/function_binding.h"
#include "script/js_text.h"
#include "script/script_engine.h"
#include "script/v8_context_impl.h"

namespace cefshim::script {
namespace {

bool IsIntegral(double number) {
  return std::isfinite(number) && std::trunc(number) == number && !(number == 0 && std::signbit(number));
}

bool IsInt32Number(const JS::Value& value) {
  if (!value.isNumber()) return false;
  const double number = value.toNumber();
  return IsIntegral(number) && number >= INT32_MIN && number <= INT32_MAX;
}

bool IsUInt32Number(const JS::Value& value) {
  if (!value.isNumber()) return false;
  const double number = value.toNumber();
  return IsIntegral(number) && number >= 0 && number <= UINT32_MAX;
}

// The engine of this thread when a page context is current, else null.
ScriptEngine* EngineInContext() {
  ScriptEngine* engine = ScriptEngine::Current();
  return engine && engine->CurrentContext() ? engine : nullptr;
}

// A value made in the current realm (or the anchor's, for primitives).
template <class Make>
CefRefPtr<CefV8Value> CreatePrimitive(Make make) {
  ScriptEngine* engine = ScriptEngine::Current();
  if (!engine) return nullptr;
  AutoSomeRealm realm(*engine);
  JS::RootedValue value(engine->cx());
  if (!make(engine->cx(), &value)) {
    JS_ClearPendingException(engine->cx());
    return nullptr;
  }
  return new V8ValueImpl(engine, value);
}

// An object made in the current page context; null without one.
template <class Make>
CefRefPtr<CefV8Value> CreateInContext(Make make) {
  ScriptEngine* engine = EngineInContext();
  if (!engine) return nullptr;
  JS::RootedObject object(engine->cx(), make(engine->cx()));
  if (!object) {
    JS_ClearPendingException(engine->cx());
    return nullptr;
  }
  JS::RootedValue value(engine->cx(), JS::ObjectValue(*object));
  return new V8ValueImpl(engine, value);
}

}  // namespace

V8ValueImpl::V8ValueImpl(ScriptEngine* engine, JS::HandleValue value) : engine_(engine), value_(engine->cx(), value) {
  if (value.isObject()) {
    JSObject* global = JS::GetNonCCWObjectGlobal(&value.toObject());
    context_ = V8ContextImpl::FromGlobal(global);
  }
  engine_->Track(this);
}

V8ValueImpl::~V8ValueImpl() {
  DetachFromEngine();
}

void V8ValueImpl::DetachFromEngine() {
  if (!engine_) return;
  value_.reset();
  engine_->Untrack(this);
  engine_ = nullptr;
}

bool V8ValueImpl::Unwrap(CefRefPtr<CefV8Value> value, JS::MutableHandleValue out) {
  auto* own = dynamic_cast<V8ValueImpl*>(value.get());
  if (!own || !own->IsValid()) return false;
  out.set(own->value_);
  return true;
}

bool V8ValueImpl::IsValid() {
  return engine_ && (!context_ || context_->IsValid());
}

bool V8ValueImpl::IsUndefined() {
  return IsValid() && value_.get().isUndefined();
}

bool V8ValueImpl::IsNull() {
  return IsValid() && value_.get().isNull();
}

bool V8ValueImpl::IsBool() {
  return IsValid() && value_.get().isBoolean();
}

bool V8ValueImpl::IsInt() {
  return IsValid() && IsInt32Number(value_);
}

bool V8ValueImpl::IsUInt() {
  return IsValid() && IsUInt32Number(value_);
}

bool V8ValueImpl::IsDouble() {
  return IsValid() && value_.get().isNumber();
}

bool V8ValueImpl::IsDate() {
  JSObject* object = Object();
  if (!object) return false;
  JS::RootedObject rooted(engine_->cx(), object);
  bool is_date = false;
  return JS::ObjectIsDate(engine_->cx(), rooted, &is_date) && is_date;
}

bool V8ValueImpl::IsString() {
  return IsValid() && value_.get().isString();
}

bool V8ValueImpl::IsObject() {
  return Object() && !IsDate();
}

bool V8ValueImpl::IsArray() {
  JSObject* object = Object();
  if (!object) return false;
  JS::RootedObject rooted(engine_->cx(), object);
  bool is_array = false;
  if (!JS::IsArrayObject(engine_->cx(), rooted, &is_array)) JS_ClearPendingException(engine_->cx());
  return is_array;
}

bool V8ValueImpl::IsFunction() {
  JSObject* object = Object();
  return object && JS::IsCallable(object);
}

bool V8ValueImpl::GetBoolValue() {
  return IsBool() && value_.get().toBoolean();
}

std::int32_t V8ValueImpl::GetIntValue() {
  return IsInt() ? static_cast<std::int32_t>(value_.get().toNumber()) : 0;
}

std::uint32_t V8ValueImpl::GetUIntValue() {
  return IsUInt() ? static_cast<std::uint32_t>(value_.get().toNumber()) : 0;
}

double V8ValueImpl::GetDoubleValue() {
  return IsDouble() ? value_.get().toNumber() : 0.0;
}

CefTime V8ValueImpl::GetDateValue() {
  if (!IsDate()) return CefTime{};
  JS::RootedObject date(engine_->cx(), Object());
  double milliseconds = 0;
  if (!js::DateGetMsecSinceEpoch(engine_->cx(), date, &milliseconds)) {
    JS_ClearPendingException(engine_->cx());
    return CefTime{};
  }
  return TimeFromEpochMilliseconds(milliseconds);
}

CefString V8ValueImpl::GetStringValue() {
  if (!IsString()) return CefString();
  AutoSomeRealm realm(*engine_);
  return StringText(engine_->cx(), value_.get().toString());
}

JSObject* V8ValueImpl::Object() {
  return IsValid() && value_.get().isObject() ? &value_.get().toObject() : nullptr;
}

CefRefPtr<CefV8Value> V8ValueImpl::Wrap(JS::HandleValue value) const {
  return new V8ValueImpl(engine_, value);
}

template <class Operation>
bool V8ValueImpl::WithObject(Operation operation) {
  JSObject* object = Object();
  if (!object) return false;
  JSContext* cx = engine_->cx();
  JS::RootedObject rooted(cx, object);
  JSAutoRealm realm(cx, rooted);
  if (operation(cx, rooted)) return true;
  JS_ClearPendingException(cx);
  return false;
}

bool V8ValueImpl::HasValue(const CefString& key) {
  bool found = false;
  return WithObject([&](JSContext* cx, JS::HandleObject object) {
           return JS_HasUCProperty(cx, object, key.c_str(), key.length(), &found);
         }) &&
         found;
}

bool V8ValueImpl::HasValue(int index) {
  bool found = false;
  return index >= 0 &&
         WithObject([&](JSContext* cx, JS::HandleObject object) {
           return JS_HasElement(cx, object, static_cast<std::uint32_t>(index), &found);
         }) &&
         found;
}

bool V8ValueImpl::DeleteValue(const CefString& key) {
  JS::ObjectOpResult result;
  return WithObject([&](JSContext* cx, JS::HandleObject object) {
           return JS_DeleteUCProperty(cx, object, key.c_str(), key.length(), result);
         }) &&
         result.ok();
}

bool V8ValueImpl::DeleteValue(int index) {
  JS::ObjectOpResult result;
  return index >= 0 &&
         WithObject([&](JSContext* cx, JS::HandleObject object) {
           return JS_DeleteElement(cx, object, static_cast<std::uint32_t>(index), result);
         }) &&
         result.ok();
}

CefRefPtr<CefV8Value> V8ValueImpl::GetValue(const CefString& key) {
  CefRefPtr<CefV8Value> found;
  WithObject([&](JSContext* cx, JS::HandleObject object) {
    JS::RootedValue value(cx);
    if (!JS_GetUCProperty(cx, object, key.c_str(), key.length(), &value)) return false;
    found = Wrap(value);
    return true;
  });
  return found;
}

CefRefPtr<CefV8Value> V8ValueImpl::GetValue(int index) {
  CefRefPtr<CefV8Value> found;
  if (index < 0) return found;
  WithObject([&](JSContext* cx, JS::HandleObject object) {
    JS::RootedValue value(cx);
    if (!JS_GetElement(cx, object, static_cast<std::uint32_t>(index), &value)) return false;
    found = Wrap(value);
    return true;
  });
  return found;
}

bool V8ValueImpl::SetValue(const CefString& key, CefRefPtr<CefV8Value> value, PropertyAttribute attribute) {
  unsigned flags = 0;
  if (!(attribute & V8_PROPERTY_ATTRIBUTE_DONTENUM)) flags |= JSPROP_ENUMERATE;
  if (attribute & V8_PROPERTY_ATTRIBUTE_READONLY) flags |= JSPROP_READONLY;
  if (attribute & V8_PROPERTY_ATTRIBUTE_DONTDELETE) flags |= JSPROP_PERMANENT;
  return WithObject([&](JSContext* cx, JS::HandleObject object) {
    JS::RootedValue stored(cx);
    return Unwrap(value, &stored) && JS_DefineUCProperty(cx, object, key.c_str(), key.length(), stored, flags);
  });
}

bool V8ValueImpl::SetValue(int index, CefRefPtr<CefV8Value> value) {
  return index >= 0 && WithObject([&](JSContext* cx, JS::HandleObject object) {
           JS::RootedValue stored(cx);
           return Unwrap(value, &stored) && JS_SetElement(cx, object, static_cast<std::uint32_t>(index), stored);
         });
}

int V8ValueImpl::GetArrayLength() {
  std::uint32_t length = 0;
  if (IsArray()) {
    WithObject([&](JSContext* cx, JS::HandleObject array) { return JS::GetArrayLength(cx, array, &length); });
  }
  return length > INT32_MAX ? INT32_MAX : static_cast<int>(length);
}

}  // namespace cefshim::script

using cefshim::script::CreateInContext;
using cefshim::script::CreatePrimitive;

CefRefPtr<CefV8Value> CefV8Value::CreateUndefined() {
  return CreatePrimitive([](JSContext*, JS::MutableHandleValue value) {
    value.setUndefined();
    return true;
  });
}

CefRefPtr<CefV8Value> CefV8Value::CreateNull() {
  return CreatePrimitive([](JSContext*, JS::MutableHandleValue value) {
    value.setNull();
    return true;
  });
}

CefRefPtr<CefV8Value> CefV8Value::CreateBool(bool flag) {
  return CreatePrimitive([flag](JSContext*, JS::MutableHandleValue value) {
    value.setBoolean(flag);
    return true;
  });
}

CefRefPtr<CefV8Value> CefV8Value::CreateInt(std::int32_t number) {
  return CreatePrimitive([number](JSContext*, JS::MutableHandleValue value) {
    value.setInt32(number);
    return true;
  });
}

CefRefPtr<CefV8Value> CefV8Value::CreateUInt(std::uint32_t number) {
  return CreatePrimitive([number](JSContext*, JS::MutableHandleValue value) {
    value.setNumber(number);
    return true;
  });
}

CefRefPtr<CefV8Value> CefV8Value::CreateDouble(double number) {
  return CreatePrimitive([number](JSContext*, JS::MutableHandleValue value) {
    value.setNumber(number);
    return true;
  });
}

CefRefPtr<CefV8Value> CefV8Value::CreateString(const CefString& text) {
  return CreatePrimitive([&text](JSContext* cx, JS::MutableHandleValue value) {
    JSString* string = cefshim::script::NewString(cx, text.view());
    if (string) value.setString(string);
    return string != nullptr;
  });
}

CefRefPtr<CefV8Value> CefV8Value::CreateDate(const CefTime& date) {
  const double milliseconds = cefshim::script::EpochMillisecondsFromTime(date);
  return CreateInContext([milliseconds](JSContext* cx) { return JS::NewDateObject(cx, JS::TimeClip(milliseconds)); });
}

CefRefPtr<CefV8Value> CefV8Value::CreateObject(CefRefPtr<CefV8Accessor> accessor,
                                               CefRefPtr<CefV8Interceptor> interceptor) {
  if (accessor || interceptor) return nullptr;
  return CreateInContext([](JSContext* cx) { return JS_NewPlainObject(cx); });
}

CefRefPtr<CefV8Value> CefV8Value::CreateArray(int length) {
  if (length < 0) return nullptr;
  return CreateInContext([length](JSContext* cx) { return JS::NewArrayObject(cx, static_cast<std::size_t>(length)); });
}

CefRefPtr<CefV8Value> CefV8Value::CreateFunction(const CefString& name, CefRefPtr<CefV8Handler> handler) {
  if (!handler) return nullptr;
  return CreateInContext(
      [&name, &handler](JSContext* cx) { return cefshim::script::NewHandlerFunction(cx, name, handler); });
}
