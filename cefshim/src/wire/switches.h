// The command-line switches by which a host hands a renderer its connection.
#pragma once

namespace cefshim::wire {

// "--cefshim-ipc-fd=N": N is the renderer's end of a connected
// socketpair(AF_UNIX, SOCK_STREAM).
constexpr char kIpcFdSwitch[] = "cefshim-ipc-fd";

// "--cefshim-trace": the renderer writes a line to standard error for each
// process message it hands to the application, with the handler's answer.
constexpr char kTraceSwitch[] = "cefshim-trace";

}  // namespace cefshim::wire
