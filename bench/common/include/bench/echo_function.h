// An RPC function that answers each call with its parameter text, for the
// round-trip benchmarks. Runs on the server's thread; the answer is the
// server's own copy of the parameters, valid until the reply is written.
#pragma once

#include "rpc/rpc_fun_delegate.h"

namespace bench {

class EchoFunction : public IRPCFunDelegate {
 public:
  int Invoke(const platform::WChar*, const platform::WChar* parameters, const platform::WChar** result,
             const platform::WChar** error) override {
    *result = parameters;
    *error = nullptr;
    return 0;
  }
  void AfterCall() override {}
};

}  // namespace bench
