#include "wire/byte_writer.h"

#include <cstring>

namespace cefshim::wire {

void ByteWriter::Unsigned(std::uint64_t value, int width) {
  for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void ByteWriter::F64(double value) {
  std::uint64_t bits;
  static_assert(sizeof bits == sizeof value);
  std::memcpy(&bits, &value, sizeof bits);
  Unsigned(bits, 8);
}

void ByteWriter::String(std::u16string_view text) {
  U32(static_cast<std::uint32_t>(text.size()));
  for (const char16_t unit : text) Unsigned(unit, 2);
}

}  // namespace cefshim::wire
