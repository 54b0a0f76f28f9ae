// CefV8Value: one script value, held so that the collector may move it.
//
// The tests classify as CEF does: IsInt holds for a number whose value is
// integral, within 32-bit signed range and not -0 (2 and 2.0, not 2.5, -0,
// 2^31, NaN); IsUInt likewise for 0 to 2^32-1; IsDouble for every number;
// IsString for primitive strings only; IsDate for Date objects, which are
// then not IsObject; IsArray for true arrays; IsFunction for callables;
// IsObject for every object but dates (arrays and functions included).
// Symbols and BigInts pass no test. Every test is false for a value that is
// no longer valid.
// Getters of another kind give the empty value (false, 0, empty string).
//
// Render thread only. Creating an object, array, date or function needs an
// entered context; primitives do not.
#pragma once

#include <cstdint>

#include "cef_base.h"
#include "cef_string.h"
#include "cef_types.h"
#include "cef_v8_handler.h"

// Property accessors and interceptors are declared so that CreateObject keeps
// its signature; cefshim binds neither (CreateObject fails when given one).
class CefV8Accessor : public virtual CefBaseRefCounted {};
class CefV8Interceptor : public virtual CefBaseRefCounted {};

class CefV8Value : public virtual CefBaseRefCounted {
 public:
  typedef cef_v8_propertyattribute_t PropertyAttribute;

  static CefRefPtr<CefV8Value> CreateUndefined();
  static CefRefPtr<CefV8Value> CreateNull();
  static CefRefPtr<CefV8Value> CreateBool(bool value);
  static CefRefPtr<CefV8Value> CreateInt(std::int32_t value);
  static CefRefPtr<CefV8Value> CreateUInt(std::uint32_t value);
  static CefRefPtr<CefV8Value> CreateDouble(double value);
  // From universal-time calendar fields; null without an entered context.
  static CefRefPtr<CefV8Value> CreateDate(const CefTime& date);
  static CefRefPtr<CefV8Value> CreateString(const CefString& value);
  // A plain object; null without an entered context or when an accessor or
  // interceptor is given.
  static CefRefPtr<CefV8Value> CreateObject(CefRefPtr<CefV8Accessor> accessor,
                                            CefRefPtr<CefV8Interceptor> interceptor);
  // An array of `length` holes; null without an entered context.
  static CefRefPtr<CefV8Value> CreateArray(int length);
  // A function named `name` whose calls go to `handler`; null without an
  // entered context or handler.
  static CefRefPtr<CefV8Value> CreateFunction(const CefString& name, CefRefPtr<CefV8Handler> handler);

  // False once the context the value belongs to is gone.
  virtual bool IsValid() = 0;
  virtual bool IsUndefined() = 0;
  virtual bool IsNull() = 0;
  virtual bool IsBool() = 0;
  virtual bool IsInt() = 0;
  virtual bool IsUInt() = 0;
  virtual bool IsDouble() = 0;
  virtual bool IsDate() = 0;
  virtual bool IsString() = 0;
  virtual bool IsObject() = 0;
  virtual bool IsArray() = 0;
  virtual bool IsFunction() = 0;

  virtual bool GetBoolValue() = 0;
  virtual std::int32_t GetIntValue() = 0;
  virtual std::uint32_t GetUIntValue() = 0;
  virtual double GetDoubleValue() = 0;
  // Universal-time fields with milliseconds; all fields 0 for an invalid
  // date or a value that is not a date.
  virtual CefTime GetDateValue() = 0;
  virtual CefString GetStringValue() = 0;

  // Properties of objects (arrays and functions included). On any other
  // value, and when the script engine throws, these fail: false, or null.
  // HasValue and GetValue follow the prototype chain; DeleteValue removes
  // an own property.
  virtual bool HasValue(const CefString& key) = 0;
  virtual bool HasValue(int index) = 0;
  virtual bool DeleteValue(const CefString& key) = 0;
  virtual bool DeleteValue(int index) = 0;
  virtual CefRefPtr<CefV8Value> GetValue(const CefString& key) = 0;
  virtual CefRefPtr<CefV8Value> GetValue(int index) = 0;
  // READONLY makes the property non-writable (still enumerable and
  // configurable); DONTENUM and DONTDELETE likewise clear those flags.
  virtual bool SetValue(const CefString& key, CefRefPtr<CefV8Value> value, PropertyAttribute attribute) = 0;
  virtual bool SetValue(int index, CefRefPtr<CefV8Value> value) = 0;

  // The length of an array; 0 for any other value.
  virtual int GetArrayLength() = 0;
};
