// IRPCLogger: where the RPC server and client write their numbered trace
// lines ("WB1." to "WB9." and the failure lines between them). Optional:
// without a logger nothing is written.
#pragma once

#include "platform/text_types.h"

class IRPCLogger {
 public:
  virtual ~IRPCLogger() = default;

  // One trace line, zero-terminated, valid only during the call. Called on
  // the server's thread (server) or the calling thread (client); must not
  // call back into the server or client that logs.
  virtual void Log(const platform::WChar* text) = 0;
};
