// The texts that travel through the channel's mappings: UTF-16LE, the
// request "function:parameters" with a terminator, the reply without one
// (the fresh mapping's zero bytes end it). No length field travels: a text
// ends at its first 16-bit zero, or at the end of the mapping.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/text_types.h"

namespace RPCChannel {

struct Request {
  platform::WString function;
  platform::WString parameters;
  // The bytes of the text and its terminator (less where the view ended
  // first): what TakeRequest zero-filled.
  std::size_t consumed_bytes = 0;
};

// The request mapping's bytes: "function:parameters" and its terminator,
// (function + parameters) × 2 + 4 of them.
std::string RequestBytes(platform::WStringView function, platform::WStringView parameters);

// Reads the request from a view, splits it at the first ":" (without one,
// both parts are the whole text) and zero-fills the text and its terminator.
Request TakeRequest(void* view, std::size_t size);

// The reply mapping's bytes: the characters and 4 zero bytes (no terminator
// of its own: the zero bytes of the mapping end the text).
std::string ReplyBytes(platform::WStringView reply);

// The text in a view, up to its first 16-bit zero; nullopt when no zero
// ends it before the view does (it has no length then).
std::optional<platform::WString> ReadText(const void* view, std::size_t size);

// True when the reply is an error object: it begins with the 15 characters
// {"type":"error" (what the script-value writer always produces).
bool IsErrorReply(platform::WStringView reply);

}  // namespace RPCChannel
