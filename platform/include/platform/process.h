// The running process: its executable, environment, processors and clock.
// Thread safety: any thread, except SetEnvironmentVariable, which must not
// race with other environment access (as setenv).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/text_types.h"

namespace platform {

// Full path of the running executable (/proc/self/exe: a copied executable
// reports its copy, a symbolic link resolves to its target). "" on failure.
WString ExecutablePath();

// Names are case-sensitive (unlike Windows); a name that is empty or holds
// "=" or NUL is refused (nullopt / false with errno EINVAL).

// An environment variable decoded from UTF-8; nullopt when unset.
std::optional<WString> GetEnvironmentVariable(WStringView name);

// Sets (or, with nullopt, removes) an environment variable, encoded in
// UTF-8. False on failure (a value holding NUL cannot be set).
bool SetEnvironmentVariable(WStringView name, const std::optional<WString>& value);

// Processors this process may run on (sched_getaffinity); at least 1.
unsigned ProcessorCount();

// Milliseconds of a monotonic clock (CLOCK_MONOTONIC), like GetTickCount64.
std::uint64_t TickCount64();

// The low 32 bits of TickCount64, like GetTickCount (wraps after ~49 days).
std::uint32_t TickCount();

}  // namespace platform
