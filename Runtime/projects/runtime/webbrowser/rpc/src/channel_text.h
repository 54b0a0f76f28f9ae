// The texts that travel through the channel's mappings: UTF-16LE, the
// request "function:parameters" with a terminator, the reply without one
// (the fresh mapping's zero bytes end it). No length field travels: a text
// ends at its first 16-bit zero. Reading one costs what its text costs,
// however large the mapping that a peer made: only the text and one chunk
// are read, without a view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

// Reads up to `length` bytes of a mapping from `offset` into `out`: the
// bytes read (fewer only where the mapping ends), or -1 when it cannot be
// read. platform::FileMapping::ReadAt is one.
using ReadBytes = std::function<std::ptrdiff_t(std::uint64_t offset, void* out, std::size_t length)>;

// The text at the start of a mapping: whether a zero ends it before the
// mapping does, and then its units before that zero. A text that no zero
// ends has no length, and both sides refuse it: its units are not read.
struct MappingText {
  platform::WString units;
  bool terminated = false;
};

// Reads the text of a mapping of `size` bytes (an odd last byte is part of
// no unit). It looks for the first zero a 64 KiB chunk at a time, then reads
// the text straight into its string (a text inside the first chunk is not
// read twice): memory is the text's and one chunk, whatever the mapping's
// size, and one chunk when no zero is found. nullopt when a read fails,
// also when the second pass finds less than the first (a peer has shrunk
// the mapping meanwhile).
std::optional<MappingText> ReadText(std::size_t size, const ReadBytes& read);

// Splits a request at its first ":"; without one, both parts are the whole
// text.
Request SplitRequest(platform::WString text);

// The bytes a server zero-fills once it has read a request that a zero
// ends: the text and its terminator.
std::size_t ConsumedBytes(const MappingText& request);

// True when the reply is an error object: it begins with the 15 characters
// {"type":"error" (what the script-value writer always produces).
bool IsErrorReply(platform::WStringView reply);

}  // namespace RPCChannel
