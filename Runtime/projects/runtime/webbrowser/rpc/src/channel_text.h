// The texts that travel through the channel's mappings: UTF-16LE, the
// request "function:parameters" with a terminator, the reply without one
// (the fresh mapping's zero bytes end it). No length field travels: a text
// ends at its first 16-bit zero, or at the end of the mapping.
#pragma once

#include <cstddef>

#include "platform/text_types.h"

namespace RPCChannel {

struct Request {
  platform::WString function;
  platform::WString parameters;
};

// Bytes of the request mapping: (function + parameters) × 2 + 4, exactly the
// request with its colon and terminator.
std::size_t RequestMappingSize(platform::WStringView function, platform::WStringView parameters);

// Writes "function:parameters" and its terminator into a view of that size.
void WriteRequest(void* view, platform::WStringView function, platform::WStringView parameters);

// Reads the request from a view, splits it at the first ":" (without one,
// both parts are the whole text) and zero-fills the text and its terminator.
Request TakeRequest(void* view, std::size_t size);

// Bytes of the reply mapping: characters × 2 + 4.
std::size_t ReplyMappingSize(platform::WStringView reply);

// Copies the reply's characters into a fresh (zero-filled) view.
void WriteReply(void* view, platform::WStringView reply);

// The text in a view, up to its first 16-bit zero.
platform::WString ReadText(const void* view, std::size_t size);

// True when the reply is an error object: it begins with the 15 characters
// {"type":"error" (what the script-value writer always produces).
bool IsErrorReply(platform::WStringView reply);

}  // namespace RPCChannel
