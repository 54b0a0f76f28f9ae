#include "values/binary_value_impl.h"

#include <algorithm>
#include <cstring>

namespace cefshim {

std::size_t CefBinaryValueImpl::GetData(void* buffer, std::size_t buffer_size, std::size_t data_offset) {
  if (!buffer || data_offset >= bytes_.size()) return 0;
  const std::size_t count = std::min(buffer_size, bytes_.size() - data_offset);
  if (count > 0) std::memcpy(buffer, bytes_.data() + data_offset, count);
  return count;
}

}  // namespace cefshim

CefRefPtr<CefBinaryValue> CefBinaryValue::Create(const void* data, std::size_t data_size) {
  if (!data && data_size > 0) return nullptr;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return new cefshim::CefBinaryValueImpl(std::vector<std::uint8_t>(bytes, bytes + data_size));
}
