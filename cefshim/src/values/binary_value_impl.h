// The binary value behind CefBinaryValue::Create.
#pragma once

#include <cstdint>
#include <vector>

#include "cef_values.h"

namespace cefshim {

class CefBinaryValueImpl : public CefBinaryValue {
 public:
  explicit CefBinaryValueImpl(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  bool IsValid() override { return true; }
  CefRefPtr<CefBinaryValue> Copy() override { return new CefBinaryValueImpl(bytes_); }
  std::size_t GetSize() override { return bytes_.size(); }
  std::size_t GetData(void* buffer, std::size_t buffer_size, std::size_t data_offset) override;

 private:
  const std::vector<std::uint8_t> bytes_;

  IMPLEMENT_REFCOUNTING(CefBinaryValueImpl);
};

}  // namespace cefshim
