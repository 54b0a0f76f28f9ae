// The typed getters and setters shared by list and dictionary values, written
// once over two primitives that the container supplies: Find (the stored
// entry, or null) and Store (put an entry, false when it cannot be put).
#pragma once

#include "values/stored_value.h"

namespace cefshim {

template <class Interface, class Key>
class ValueAccessors : public Interface {
 public:
  CefValueType GetType(Key key) override {
    const StoredValue* value = Find(key);
    return value ? TypeOf(*value) : VTYPE_INVALID;
  }
  bool GetBool(Key key) override { return Read<bool>(key); }
  int GetInt(Key key) override { return Read<int>(key); }
  double GetDouble(Key key) override { return Read<double>(key); }
  CefString GetString(Key key) override { return Read<std::u16string>(key); }
  CefRefPtr<CefBinaryValue> GetBinary(Key key) override { return Read<CefRefPtr<CefBinaryValue>>(key); }
  CefRefPtr<CefDictionaryValue> GetDictionary(Key key) override { return Read<CefRefPtr<CefDictionaryValue>>(key); }
  CefRefPtr<CefListValue> GetList(Key key) override { return Read<CefRefPtr<CefListValue>>(key); }

  bool SetNull(Key key) override { return Store(key, std::monostate()); }
  bool SetBool(Key key, bool value) override { return Store(key, value); }
  bool SetInt(Key key, int value) override { return Store(key, value); }
  bool SetDouble(Key key, double value) override { return Store(key, value); }
  bool SetString(Key key, const CefString& value) override { return Store(key, value.ToString16()); }
  bool SetBinary(Key key, CefRefPtr<CefBinaryValue> value) override { return value && Store(key, value); }
  bool SetDictionary(Key key, CefRefPtr<CefDictionaryValue> value) override {
    return value && Store(key, value->Copy());
  }
  bool SetList(Key key, CefRefPtr<CefListValue> value) override { return value && Store(key, value->Copy()); }

 protected:
  virtual const StoredValue* Find(Key key) = 0;
  virtual bool Store(Key key, StoredValue value) = 0;

 private:
  template <class T>
  T Read(Key key) {
    const StoredValue* value = Find(key);
    const T* typed = value ? std::get_if<T>(value) : nullptr;
    return typed ? *typed : T();
  }
};

}  // namespace cefshim
