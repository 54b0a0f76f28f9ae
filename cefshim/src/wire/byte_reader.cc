#include "wire/byte_reader.h"

#include <cstring>

namespace cefshim::wire {

bool ByteReader::Unsigned(int width, std::uint64_t* value) {
  if (remaining() < static_cast<std::size_t>(width)) return false;
  std::uint64_t result = 0;
  for (int i = 0; i < width; ++i) result |= std::uint64_t{data_[position_ + i]} << (8 * i);
  position_ += width;
  *value = result;
  return true;
}

bool ByteReader::U8(std::uint8_t* value) {
  std::uint64_t wide;
  if (!Unsigned(1, &wide)) return false;
  *value = static_cast<std::uint8_t>(wide);
  return true;
}

bool ByteReader::U32(std::uint32_t* value) {
  std::uint64_t wide;
  if (!Unsigned(4, &wide)) return false;
  *value = static_cast<std::uint32_t>(wide);
  return true;
}

bool ByteReader::I32(std::int32_t* value) {
  std::uint32_t bits;
  if (!U32(&bits)) return false;
  *value = static_cast<std::int32_t>(bits);
  return true;
}

bool ByteReader::I64(std::int64_t* value) {
  std::uint64_t bits;
  if (!Unsigned(8, &bits)) return false;
  *value = static_cast<std::int64_t>(bits);
  return true;
}

bool ByteReader::F64(double* value) {
  std::uint64_t bits;
  if (!Unsigned(8, &bits)) return false;
  std::memcpy(value, &bits, sizeof bits);
  return true;
}

bool ByteReader::String(std::u16string* text) {
  const std::size_t start = position_;
  std::uint32_t count;
  if (!U32(&count) || remaining() / 2 < count) {
    position_ = start;
    return false;
  }
  std::u16string units(count, u'\0');
  for (char16_t& unit : units) {
    unit = static_cast<char16_t>(data_[position_] | (data_[position_ + 1] << 8));
    position_ += 2;
  }
  *text = std::move(units);
  return true;
}

bool ByteReader::Bytes(std::size_t size, const std::uint8_t** data) {
  if (remaining() < size) return false;
  *data = data_ + position_;
  position_ += size;
  return true;
}

}  // namespace cefshim::wire
