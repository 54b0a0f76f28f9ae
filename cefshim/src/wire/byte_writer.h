// Appends the wire format's primitives to a growing buffer: little-endian
// integers and doubles, and strings as a u32 count of UTF-16 units followed
// by the units. Not synchronised.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace cefshim::wire {

class ByteWriter {
 public:
  void U8(std::uint8_t value) { bytes_.push_back(value); }
  void U32(std::uint32_t value) { Unsigned(value, 4); }
  void I32(std::int32_t value) { Unsigned(static_cast<std::uint32_t>(value), 4); }
  void I64(std::int64_t value) { Unsigned(static_cast<std::uint64_t>(value), 8); }
  void F64(double value);
  // The caller keeps strings below 2^32 units (frames are far smaller).
  void String(std::u16string_view text);
  void Bytes(const std::uint8_t* data, std::size_t size) { bytes_.insert(bytes_.end(), data, data + size); }

  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  void Unsigned(std::uint64_t value, int width);

  std::vector<std::uint8_t> bytes_;
};

}  // namespace cefshim::wire
