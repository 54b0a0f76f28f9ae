// The texts a peer process leaves in a channel mapping are outside input:
// reading a request or a reply must stay inside the mapping whatever its
// bytes, and splitting a request must lose nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "channel_names.h"
#include "channel_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A mapping of exactly `size` bytes (an odd last byte is part of no unit).
  std::vector<char16_t> units(size / 2 + 1, 0);
  std::memcpy(units.data(), data, size);
  const std::size_t capacity = size / 2;
  std::size_t length = 0;
  while (length < capacity && units[length] != 0) ++length;
  const platform::WString text(units.data(), length);
  // A reply is read only when a zero ends it inside the mapping.
  const std::optional<platform::WStringView> reply = RPCChannel::TextInView(units.data(), size);
  if (reply.has_value() != (length < capacity) || (reply && *reply != text)) __builtin_trap();
  if (reply) RPCChannel::IsErrorReply(*reply);

  const RPCChannel::Request request = RPCChannel::TakeRequest(units.data(), size);
  const bool split = text.find(u':') != platform::WString::npos;
  const platform::WString rebuilt = split ? request.function + u":" + request.parameters : request.function;
  if (rebuilt != text || (!split && request.parameters != text)) __builtin_trap();
  // The request was consumed, its terminator too, and nothing after it.
  const std::size_t consumed = std::min(length + 1, capacity);
  for (std::size_t i = 0; i < consumed; ++i) {
    if (units[i] != 0) __builtin_trap();
  }
  if (consumed < capacity && std::memcmp(&units[consumed], data + consumed * 2, (capacity - consumed) * 2) != 0) {
    __builtin_trap();
  }

  const RPCChannel::ChannelNames names(text);
  if (names.server1.size() > text.size() + 16) __builtin_trap();
  return 0;
}
