// The texts a peer process leaves in a channel mapping are outside input:
// reading a request or a reply must stay inside the mapping and stop at the
// first zero whatever its bytes (a text that no zero ends is left unread),
// and splitting a request must lose nothing.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "channel_names.h"
#include "channel_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A mapping of exactly `size` bytes (an odd last byte is part of no unit).
  const std::size_t capacity = size / 2;
  std::vector<char16_t> units(capacity + 1, 0);
  std::memcpy(units.data(), data, capacity * 2);
  std::size_t length = 0;
  while (length < capacity && units[length] != 0) ++length;
  const platform::WString text(units.data(), length);

  const std::optional<RPCChannel::MappingText> read =
      RPCChannel::ReadText(size, [data, size](std::uint64_t offset, void* out, std::size_t bytes) {
        if (offset > size || bytes > size - offset) __builtin_trap();  // reads stay inside the mapping
        std::memcpy(out, data + offset, bytes);
        return static_cast<std::ptrdiff_t>(bytes);
      });
  const bool terminated = length < capacity;
  if (!read || read->terminated != terminated || read->units != (terminated ? text : platform::WString())) {
    __builtin_trap();
  }
  if (terminated && RPCChannel::ConsumedBytes(*read) != (length + 1) * 2) __builtin_trap();
  RPCChannel::IsErrorReply(read->units);

  // Splitting a request loses nothing.
  const RPCChannel::Request request = RPCChannel::SplitRequest(text);
  const bool split = text.find(u':') != platform::WString::npos;
  const platform::WString rebuilt = split ? request.function + u":" + request.parameters : request.function;
  if (rebuilt != text || (!split && request.parameters != text)) __builtin_trap();

  const RPCChannel::ChannelNames names(text);
  if (names.server1.size() > text.size() + 16) __builtin_trap();
  return 0;
}
