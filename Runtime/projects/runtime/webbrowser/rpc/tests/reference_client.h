// A client of the channel written step for step from its description
// (steps C1 to C6), on the platform's named objects, as a program outside
// this project would call a server: the client semaphores made with
// create-or-open (up to 200 further tries, 50 ms apart), the request mapping
// made with create-or-open at its exact size and written through a view,
// ServerSemaphore1 opened with up to 20 further tries, ServerSemaphore2
// with up to 200, every wait without limit, and every handle closed as the
// call ends. It does not take the turn lock of this project's clients.
//
// Any thread. The waits end early only when the calling thread is a
// StoppableThread asked to stop (then the call fails).
#pragma once

#include <cstddef>
#include <functional>

#include "call_outcome.h"
#include "platform/text_types.h"
#include "rpc/rpc_logger.h"

namespace rpc_test::reference {

// Result codes of Call besides 0 (answered) and 1 (failed).
inline constexpr int kViewTooSmall = 2;  // a view would have been written past its end

// Writes the request text into the request mapping's view. False when it
// does not fit.
using RequestWriter = std::function<bool(void* view, std::size_t size, platform::WStringView text)>;

// The description's way of writing a request: its characters and a 16-bit
// zero.
bool CopyWithTerminator(void* view, std::size_t size, platform::WStringView text);

// Calls `function` with `parameters` on the server of `mapping`. Logs "WB1."
// to "WB8." to `logger` (if any) as the description numbers the client's
// trace lines, so that a test can end the process at a step. The request
// mapping is made `request_mapping_bytes` large, as a peer may choose it;
// 0 (the default) for the description's exact size. `write` writes the
// request (a test may break the channel).
Outcome Call(const platform::WString& mapping, const platform::WString& function, const platform::WString& parameters,
             IRPCLogger* logger = nullptr, std::size_t request_mapping_bytes = 0,
             const RequestWriter& write = CopyWithTerminator);

}  // namespace rpc_test::reference
