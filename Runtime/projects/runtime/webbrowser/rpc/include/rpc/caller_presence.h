// Whether the client of a call is still there to take its reply, for a
// function that the server runs (IRPCFunDelegate::Invoke) and that waits
// for something only that client wants.
#pragma once

namespace RPCServer {

// On the server's thread, inside Invoke: false once the client of the call
// has gone (its process died, it gave up, or a later call has arrived,
// which a client makes only once its own has ended); true while it waits
// for the reply. True on any other thread and outside a call. Cheap enough
// to ask every few milliseconds.
bool CallerIsPresent();

}  // namespace RPCServer
