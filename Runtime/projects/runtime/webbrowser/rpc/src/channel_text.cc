#include "channel_text.h"

#include <algorithm>
#include <vector>

namespace RPCChannel {
namespace {

constexpr platform::WStringView kErrorOpening = u"{\"type\":\"error\"";
constexpr std::size_t kUnit = sizeof(platform::WChar);
// The units looked at in one read while the text's end is not found: 64 KiB.
constexpr std::size_t kChunkUnits = 32 * 1024;

// The units before the first zero, at most `capacity` of them.
std::size_t TextLength(const platform::WChar* units, std::size_t capacity) {
  return static_cast<std::size_t>(std::find(units, units + capacity, platform::WChar{0}) - units);
}

}  // namespace

std::size_t RequestSize(platform::WStringView function, platform::WStringView parameters) {
  return (function.size() + parameters.size()) * kUnit + 4;
}

std::size_t ReplySize(platform::WStringView reply) { return reply.size() * kUnit + 4; }

std::string_view Bytes(platform::WStringView units) {
  return std::string_view(reinterpret_cast<const char*>(units.data()), units.size() * kUnit);
}

std::optional<MappingText> ReadText(std::size_t size, const ReadBytes& read) {
  const std::size_t capacity = size / kUnit;
  std::vector<platform::WChar> chunk(std::min(capacity, kChunkUnits));
  MappingText text;
  std::size_t length = 0;
  while (length < capacity) {
    const std::size_t wanted = std::min(chunk.size(), capacity - length);
    const std::ptrdiff_t got = read(length * kUnit, chunk.data(), wanted * kUnit);
    if (got < 0) return std::nullopt;
    const std::size_t units = static_cast<std::size_t>(got) / kUnit;
    const std::size_t before_zero = TextLength(chunk.data(), units);
    if (before_zero < units && length == 0) {
      text.units.assign(chunk.data(), before_zero);
      text.terminated = true;
      return text;
    }
    length += before_zero;
    text.terminated = before_zero < units;
    if (text.terminated || units < wanted) break;  // the zero, or a mapping shorter than it said
  }
  if (!text.terminated) return text;
  text.units.resize(length);
  const std::size_t bytes = length * kUnit;
  if (length > 0 && read(0, text.units.data(), bytes) != static_cast<std::ptrdiff_t>(bytes)) return std::nullopt;
  return text;
}

Request SplitRequest(platform::WString text) {
  Request request;
  const std::size_t colon = text.find(u':');
  if (colon == platform::WString::npos) {
    request.function = text;
    request.parameters = std::move(text);
  } else {
    request.function = text.substr(0, colon);
    request.parameters = std::move(text);
    request.parameters.erase(0, colon + 1);
  }
  return request;
}

std::size_t ConsumedBytes(const MappingText& request) { return (request.units.size() + 1) * kUnit; }

bool IsErrorReply(platform::WStringView reply) { return reply.substr(0, kErrorOpening.size()) == kErrorOpening; }

}  // namespace RPCChannel
