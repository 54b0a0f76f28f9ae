// The texts that travel through the channel's mappings: UTF-16LE, the
// request "function:parameters" with a terminator, the reply without one
// (the fresh mapping's zero bytes end it). No length field travels: a text
// ends at its first 16-bit zero. Reading one costs what its text costs: the
// text is found in the view and only its characters are copied, however
// large the mapping that a peer made.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/text_types.h"

namespace RPCChannel {

struct Request {
  platform::WString function;
  platform::WString parameters;
};

// The request mapping's size: (function + parameters) × 2 + 4 bytes,
// exactly the request with its colon and terminator.
std::size_t RequestSize(platform::WStringView function, platform::WStringView parameters);

// The reply mapping's size: the characters × 2 + 4 bytes (no terminator of
// its own: the zero bytes of the mapping end the text).
std::size_t ReplySize(platform::WStringView reply);

// The bytes of `units` as a mapping holds them.
std::string_view Bytes(platform::WStringView units);

// Reads the request from a view of `size` bytes, splits it at the first ":"
// (without one, both parts are the whole text) and zero-fills the text and
// its terminator in the view. A text that no zero ends ends with the view.
Request TakeRequest(void* view, std::size_t size);

// The text in a view of `size` bytes, up to its first 16-bit zero, where it
// lies; nullopt when no zero ends it before the view does (it has no length
// then).
std::optional<platform::WStringView> TextInView(const void* view, std::size_t size);

// True when the reply is an error object: it begins with the 15 characters
// {"type":"error" (what the script-value writer always produces).
bool IsErrorReply(platform::WStringView reply);

}  // namespace RPCChannel
