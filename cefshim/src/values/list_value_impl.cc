#include "values/list_value_impl.h"

#include <utility>

namespace cefshim {

CefListValueImpl::CefListValueImpl(std::vector<StoredValue> items) : items_(std::move(items)) {}

CefRefPtr<CefListValue> CefListValueImpl::Copy() {
  std::vector<StoredValue> copy;
  copy.reserve(items_.size());
  for (const StoredValue& item : items_) copy.push_back(DeepCopy(item));
  return new CefListValueImpl(std::move(copy));
}

bool CefListValueImpl::SetSize(std::size_t size) {
  if (size > kMaxSize) return false;
  items_.resize(size);
  return true;
}

bool CefListValueImpl::Clear() {
  items_.clear();
  return true;
}

bool CefListValueImpl::Remove(std::size_t index) {
  if (index >= items_.size()) return false;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

const StoredValue* CefListValueImpl::Find(std::size_t index) {
  return index < items_.size() ? &items_[index] : nullptr;
}

bool CefListValueImpl::Store(std::size_t index, StoredValue value) {
  if (index >= kMaxSize) return false;
  if (index >= items_.size()) items_.resize(index + 1);
  items_[index] = std::move(value);
  return true;
}

}  // namespace cefshim

CefRefPtr<CefListValue> CefListValue::Create() {
  return new cefshim::CefListValueImpl();
}
