// V8ValueImpl: one script value held through a persistent root, so the
// collector may move the thing it refers to. An object value also holds the
// context of its realm and is valid while that context is. Render thread
// only.
#pragma once

#include <jsapi.h>

#include "cef_v8.h"
#include "script/engine_bound.h"

namespace cefshim::script {

class ScriptEngine;
class V8ContextImpl;

class V8ValueImpl : public CefV8Value, public EngineBound {
 public:
  V8ValueImpl(ScriptEngine* engine, JS::HandleValue value);
  ~V8ValueImpl() override;

  // Puts the engine's value behind `value` in `out`; false for a value that
  // is null, not cefshim's, or no longer valid.
  static bool Unwrap(CefRefPtr<CefV8Value> value, JS::MutableHandleValue out);

  void DetachFromEngine() override;

  bool IsValid() override;
  bool IsUndefined() override;
  bool IsNull() override;
  bool IsBool() override;
  bool IsInt() override;
  bool IsUInt() override;
  bool IsDouble() override;
  bool IsDate() override;
  bool IsString() override;
  bool IsObject() override;
  bool IsArray() override;
  bool IsFunction() override;

  bool GetBoolValue() override;
  std::int32_t GetIntValue() override;
  std::uint32_t GetUIntValue() override;
  double GetDoubleValue() override;
  CefTime GetDateValue() override;
  CefString GetStringValue() override;

  bool HasValue(const CefString& key) override;
  bool HasValue(int index) override;
  bool DeleteValue(const CefString& key) override;
  bool DeleteValue(int index) override;
  CefRefPtr<CefV8Value> GetValue(const CefString& key) override;
  CefRefPtr<CefV8Value> GetValue(int index) override;
  bool SetValue(const CefString& key, CefRefPtr<CefV8Value> value, PropertyAttribute attribute) override;
  bool SetValue(int index, CefRefPtr<CefV8Value> value) override;
  int GetArrayLength() override;

 private:
  // The object behind a valid object value, or null.
  JSObject* Object();
  // Runs `operation(cx, object)` in the object's realm. False when this is
  // not a valid object or the operation fails (its exception is cleared).
  template <class Operation>
  bool WithObject(Operation operation);
  // Wraps a value read from this object (in its engine).
  CefRefPtr<CefV8Value> Wrap(JS::HandleValue value) const;

  ScriptEngine* engine_;  // null once detached
  JS::PersistentRootedValue value_;
  CefRefPtr<V8ContextImpl> context_;  // an object's realm; null for primitives

  IMPLEMENT_REFCOUNTING(V8ValueImpl);
};

}  // namespace cefshim::script
