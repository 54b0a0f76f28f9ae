#include "tqjson/scratch_buffer.h"

#include <algorithm>

namespace TQJSON {

std::uint8_t* ScratchBuffer::ZeroFilled(std::size_t size) {
  if (bytes_.size() < size) {
    bytes_ = std::vector<std::uint8_t>(size);
  } else {
    Clear();
  }
  return bytes_.data();
}

void ScratchBuffer::Clear() { std::fill(bytes_.begin(), bytes_.end(), std::uint8_t{0}); }

}  // namespace TQJSON
