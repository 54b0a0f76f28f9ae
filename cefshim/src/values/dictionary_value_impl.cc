#include "values/dictionary_value_impl.h"

#include <utility>

namespace cefshim {

CefDictionaryValueImpl::CefDictionaryValueImpl(StoredEntries entries) : entries_(std::move(entries)) {}

CefRefPtr<CefDictionaryValue> CefDictionaryValueImpl::Copy() {
  StoredEntries copy;
  for (const auto& [key, value] : entries_) copy.emplace_hint(copy.end(), key, DeepCopy(value));
  return new CefDictionaryValueImpl(std::move(copy));
}

bool CefDictionaryValueImpl::Clear() {
  entries_.clear();
  return true;
}

bool CefDictionaryValueImpl::HasKey(const CefString& key) {
  return entries_.find(key.view()) != entries_.end();
}

bool CefDictionaryValueImpl::GetKeys(KeyList& keys) {
  keys.clear();
  keys.reserve(entries_.size());
  for (const auto& entry : entries_) keys.emplace_back(entry.first);
  return true;
}

bool CefDictionaryValueImpl::Remove(const CefString& key) {
  const auto found = entries_.find(key.view());
  if (found == entries_.end()) return false;
  entries_.erase(found);
  return true;
}

const StoredValue* CefDictionaryValueImpl::Find(const CefString& key) {
  const auto found = entries_.find(key.view());
  return found != entries_.end() ? &found->second : nullptr;
}

bool CefDictionaryValueImpl::Store(const CefString& key, StoredValue value) {
  entries_.insert_or_assign(key.ToString16(), std::move(value));
  return true;
}

}  // namespace cefshim

CefRefPtr<CefDictionaryValue> CefDictionaryValue::Create() {
  return new cefshim::CefDictionaryValueImpl();
}
