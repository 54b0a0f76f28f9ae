// A frame's body comes from the other process: decoding must reject or
// accept any bytes without harm, and what it accepts must encode to a frame
// that decodes to the same encoding again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "wire/frame.h"

namespace {

std::optional<std::vector<std::uint8_t>> Reencode(const std::uint8_t* body, std::size_t size) {
  std::string error;
  const std::optional<cefshim::wire::Frame> frame = cefshim::wire::DecodeFrame(body, size, &error);
  if (!frame) {
    if (error.empty()) __builtin_trap();
    return std::nullopt;
  }
  std::optional<std::vector<std::uint8_t>> bytes = cefshim::wire::EncodeFrame(*frame, &error);
  if (!bytes) __builtin_trap();  // whatever decodes can travel back
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<std::vector<std::uint8_t>> first = Reencode(data, size);
  if (!first) return 0;
  const std::optional<std::vector<std::uint8_t>> second = Reencode(first->data() + 4, first->size() - 4);
  if (!second || *second != *first) __builtin_trap();
  return 0;
}
