// IRPCFunDelegate: a function that an RPC server serves under a name.
#pragma once

#include "platform/text_types.h"

class IRPCFunDelegate {
 public:
  // Destroyed by the server that it was registered on (on unregistering,
  // replacement or the server's end), on whichever thread drops it last.
  virtual ~IRPCFunDelegate() = default;

  // Runs the function on the server's thread. `function` and `parameters`
  // are zero-terminated and valid during the call. Sets `*result` and
  // `*error` to zero-terminated texts that the delegate owns and keeps
  // valid until AfterCall (null counts as empty); either may be left as
  // null. The returned code stays on the server: the client receives the
  // result text when it is not empty, else the error text. May wait with
  // the platform waits: they end when the server is stopped; a wait for
  // something only the caller wants should also end once the caller has
  // gone (rpc/caller_presence.h). Must not throw (a throw fails the call).
  virtual int Invoke(const platform::WChar* function, const platform::WChar* parameters,
                     const platform::WChar** result, const platform::WChar** error) = 0;

  // Called on the server's thread once the server is done with the outputs
  // of Invoke (it has written its reply, or will send none).
  virtual void AfterCall() = 0;
};
