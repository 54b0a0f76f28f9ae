// What the two reference peers share: the channel's names and its basic
// steps on the platform's objects, written from the channel's description
// rather than taken from the code under test.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/named_semaphore.h"
#include "platform/text_types.h"
#include "rpc/rpc_logger.h"

namespace rpc_test::reference {

// The names of one channel's objects, derived from the mapping name M: let
// p be the position of the first "\" (or the value that makes p + 1 zero);
// the stem is the len(M) - p - 7 characters that start at p + 1.
struct Names {
  explicit Names(const platform::WString& mapping_name);

  platform::WString mapping;
  platform::WString server1;
  platform::WString server2;
  platform::WString client1;
  platform::WString client2;
};

// CreateSemaphoreW(0, 1): creates, or opens the live semaphore of that
// name; while that gives nothing, up to `further_tries` more, 50 ms apart.
std::unique_ptr<platform::NamedSemaphore> CreateSemaphore(const platform::WString& name, int further_tries);

// OpenSemaphoreW; while that fails, up to `further_tries` more, 50 ms apart.
std::unique_ptr<platform::NamedSemaphore> OpenSemaphore(const platform::WString& name, int further_tries);

// WaitForSingleObject(INFINITE): true once signalled; false only when the
// calling thread is a StoppableThread asked to stop.
bool WaitForever(platform::NamedSemaphore& semaphore);

// The text in a view, up to its first 16-bit zero (or the view's end).
platform::WString TextInView(const void* view, std::size_t size);

inline void Log(IRPCLogger* logger, const platform::WChar* text) {
  if (logger != nullptr) logger->Log(text);
}

}  // namespace rpc_test::reference
