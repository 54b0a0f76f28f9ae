// The dictionary value behind CefDictionaryValue::Create.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "values/value_accessors.h"

namespace cefshim {

using StoredEntries = std::map<std::u16string, StoredValue, std::less<>>;

class CefDictionaryValueImpl : public ValueAccessors<CefDictionaryValue, const CefString&> {
 public:
  CefDictionaryValueImpl() = default;
  // Takes `entries` as they are (containers inside are not copied again).
  explicit CefDictionaryValueImpl(StoredEntries entries);

  const StoredEntries& entries() const { return entries_; }

  bool IsValid() override { return true; }
  CefRefPtr<CefDictionaryValue> Copy() override;
  std::size_t GetSize() override { return entries_.size(); }
  bool Clear() override;
  bool HasKey(const CefString& key) override;
  bool GetKeys(KeyList& keys) override;
  bool Remove(const CefString& key) override;

 protected:
  const StoredValue* Find(const CefString& key) override;
  bool Store(const CefString& key, StoredValue value) override;

 private:
  StoredEntries entries_;

  IMPLEMENT_REFCOUNTING(CefDictionaryValueImpl);
};

}  // namespace cefshim
