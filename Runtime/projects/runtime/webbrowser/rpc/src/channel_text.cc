#include "channel_text.h"

#include <algorithm>
#include <cstring>

namespace RPCChannel {
namespace {

constexpr platform::WStringView kErrorOpening = u"{\"type\":\"error\"";
constexpr std::size_t kUnit = sizeof(platform::WChar);

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

Request TakeRequest(void* view, std::size_t size) {
  auto* units = static_cast<platform::WChar*>(view);
  const std::size_t capacity = size / kUnit;
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
  std::memset(units, 0, std::min(length + 1, capacity) * kUnit);
  return request;
}

std::optional<platform::WStringView> TextInView(const void* view, std::size_t size) {
  const auto* units = static_cast<const platform::WChar*>(view);
  const std::size_t capacity = size / kUnit;
  const std::size_t length = TextLength(units, capacity);
  if (length == capacity) return std::nullopt;
  return platform::WStringView(units, length);
}

bool IsErrorReply(platform::WStringView reply) { return reply.substr(0, kErrorOpening.size()) == kErrorOpening; }

}  // namespace RPCChannel
