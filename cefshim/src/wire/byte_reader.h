// Reads the wire format's primitives (see byte_writer.h) from a borrowed
// buffer. Every read checks the bytes that remain: a read past the end
// returns false and leaves the output unchanged. Not synchronised.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cefshim::wire {

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool U8(std::uint8_t* value);
  bool U32(std::uint32_t* value);
  bool I32(std::int32_t* value);
  bool I64(std::int64_t* value);
  bool F64(double* value);
  bool String(std::u16string* text);
  // Points `data` at the next `size` bytes and skips them.
  bool Bytes(std::size_t size, const std::uint8_t** data);

  std::size_t remaining() const { return size_ - position_; }
  bool AtEnd() const { return position_ == size_; }

 private:
  bool Unsigned(int width, std::uint64_t* value);

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace cefshim::wire
