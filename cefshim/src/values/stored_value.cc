#include "values/stored_value.h"

namespace cefshim {

CefValueType TypeOf(const StoredValue& value) {
  return static_cast<CefValueType>(VTYPE_NULL + value.index());
}

StoredValue DeepCopy(const StoredValue& value) {
  if (const auto* dictionary = std::get_if<CefRefPtr<CefDictionaryValue>>(&value)) return (*dictionary)->Copy();
  if (const auto* list = std::get_if<CefRefPtr<CefListValue>>(&value)) return (*list)->Copy();
  return value;
}

}  // namespace cefshim
