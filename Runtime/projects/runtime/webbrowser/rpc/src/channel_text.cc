#include "channel_text.h"

#include <algorithm>
#include <cstring>

namespace RPCChannel {
namespace {

constexpr platform::WStringView kErrorOpening = u"{\"type\":\"error\"";

std::size_t TextLength(const platform::WChar* units, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && units[length] != 0) ++length;
  return length;
}

// Copies the characters' bytes to `out`; returns the end of the copy.
char* CopyUnits(char* out, platform::WStringView units) {
  std::memcpy(out, units.data(), units.size() * sizeof(platform::WChar));
  return out + units.size() * sizeof(platform::WChar);
}

}  // namespace

std::string RequestBytes(platform::WStringView function, platform::WStringView parameters) {
  std::string bytes((function.size() + parameters.size()) * sizeof(platform::WChar) + 4, '\0');
  CopyUnits(CopyUnits(CopyUnits(bytes.data(), function), u":"), parameters);  // the terminator stays zero
  return bytes;
}

Request TakeRequest(void* view, std::size_t size) {
  auto* units = static_cast<platform::WChar*>(view);
  const std::size_t capacity = size / sizeof(platform::WChar);
  const std::size_t length = TextLength(units, capacity);
  const platform::WStringView text(units, length);
  Request request;
  const std::size_t colon = text.find(u':');
  if (colon == platform::WStringView::npos) {
    request.function = platform::WString(text);
    request.parameters = request.function;
  } else {
    request.function = platform::WString(text.substr(0, colon));
    request.parameters = platform::WString(text.substr(colon + 1));
  }
  request.consumed_bytes = std::min(length + 1, capacity) * sizeof(platform::WChar);
  std::memset(units, 0, request.consumed_bytes);
  return request;
}

std::string ReplyBytes(platform::WStringView reply) {
  std::string bytes(reply.size() * sizeof(platform::WChar) + 4, '\0');
  CopyUnits(bytes.data(), reply);
  return bytes;
}

std::optional<platform::WString> ReadText(const void* view, std::size_t size) {
  const auto* units = static_cast<const platform::WChar*>(view);
  const std::size_t capacity = size / sizeof(platform::WChar);
  const std::size_t length = TextLength(units, capacity);
  if (length == capacity) return std::nullopt;
  return platform::WString(units, length);
}

bool IsErrorReply(platform::WStringView reply) { return reply.substr(0, kErrorOpening.size()) == kErrorOpening; }

}  // namespace RPCChannel
