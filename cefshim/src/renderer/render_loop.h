// The render loop: the calling thread reads frames from the connection and
// queues them; one render thread applies them in order.
//
// At the end of input (the host has closed its sending side, or sent a frame
// that cannot be read, which is reported on standard error) the frames
// already queued are still applied while the host listens, and the loop
// returns once they have been. When the host hangs up entirely (closes the
// socket or dies), nothing more can reach it: the script running is
// interrupted, every later script ends at once, the frames not yet applied
// are dropped, and the loop returns as soon as the render thread has left
// the handler it was in.
#pragma once

#include "cef_render_process_handler.h"
#include "renderer/trace.h"

namespace cefshim {

// `fd` is a connected stream socket; the caller keeps owning it.
void RunRenderLoop(int fd, CefRefPtr<CefRenderProcessHandler> handler, const Trace& trace);

}  // namespace cefshim
