// The blob scratch buffer of a reader or writer: 512 zero bytes at first,
// grown to the largest size ever needed, never shrunk. Decoded blobs and
// encoded base64 texts are handed out as pointers into it. Not thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace TQJSON {

class ScratchBuffer {
 public:
  ScratchBuffer() : bytes_(kInitialSize) {}

  // Zero-fills the buffer, first replacing it by one of exactly `size`
  // bytes when it is smaller, and returns its start. Throws std::bad_alloc.
  std::uint8_t* ZeroFilled(std::size_t size);

  // Zero-fills the buffer, invalidating what was handed out from it.
  void Clear();

  std::size_t size() const { return bytes_.size(); }

 private:
  static constexpr std::size_t kInitialSize = 512;

  std::vector<std::uint8_t> bytes_;
};

}  // namespace TQJSON
