// The list value behind CefListValue::Create.
#pragma once

#include <vector>

#include "values/value_accessors.h"

namespace cefshim {

class CefListValueImpl : public ValueAccessors<CefListValue, std::size_t> {
 public:
  CefListValueImpl() = default;
  // Takes `items` as they are (containers inside are not copied again).
  explicit CefListValueImpl(std::vector<StoredValue> items);

  const std::vector<StoredValue>& items() const { return items_; }

  bool IsValid() override { return true; }
  CefRefPtr<CefListValue> Copy() override;
  bool SetSize(std::size_t size) override;
  std::size_t GetSize() override { return items_.size(); }
  bool Clear() override;
  bool Remove(std::size_t index) override;

 protected:
  const StoredValue* Find(std::size_t index) override;
  bool Store(std::size_t index, StoredValue value) override;

 private:
  std::vector<StoredValue> items_;

  IMPLEMENT_REFCOUNTING(CefListValueImpl);
};

}  // namespace cefshim
