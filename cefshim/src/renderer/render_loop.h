// The render loop: the calling thread reads frames from the connection and
// queues them; one render thread applies them in order. Returns when the host
// has closed the connection (or sent a frame that cannot be read, which is
// reported on standard error) and every queued frame has been applied.
#pragma once

#include "cef_render_process_handler.h"
#include "renderer/trace.h"

namespace cefshim {

// `fd` is a connected stream socket; the caller keeps owning it.
void RunRenderLoop(int fd, CefRefPtr<CefRenderProcessHandler> handler, const Trace& trace);

}  // namespace cefshim
