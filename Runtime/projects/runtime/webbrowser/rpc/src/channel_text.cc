#include "channel_text.h"

#include <cstring>

namespace RPCChannel {
namespace {

constexpr platform::WStringView kErrorOpening = u"{\"type\":\"error\"";

std::size_t TextLength(const platform::WChar* units, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && units[length] != 0) ++length;
  return length;
}

}  // namespace

std::size_t RequestMappingSize(platform::WStringView function, platform::WStringView parameters) {
  return (function.size() + parameters.size()) * sizeof(platform::WChar) + 4;
}

void WriteRequest(void* view, platform::WStringView function, platform::WStringView parameters) {
  auto* units = static_cast<platform::WChar*>(view);
  std::memcpy(units, function.data(), function.size() * sizeof(platform::WChar));
  units += function.size();
  *units++ = u':';
  std::memcpy(units, parameters.data(), parameters.size() * sizeof(platform::WChar));
  units[parameters.size()] = 0;
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
  std::memset(units, 0, std::min(length + 1, capacity) * sizeof(platform::WChar));
  return request;
}

std::size_t ReplyMappingSize(platform::WStringView reply) { return reply.size() * sizeof(platform::WChar) + 4; }

void WriteReply(void* view, platform::WStringView reply) {
  std::memcpy(view, reply.data(), reply.size() * sizeof(platform::WChar));
}

platform::WString ReadText(const void* view, std::size_t size) {
  const auto* units = static_cast<const platform::WChar*>(view);
  return platform::WString(units, TextLength(units, size / sizeof(platform::WChar)));
}

bool IsErrorReply(platform::WStringView reply) { return reply.substr(0, kErrorOpening.size()) == kErrorOpening; }

}  // namespace RPCChannel
