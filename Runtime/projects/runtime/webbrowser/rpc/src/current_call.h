// The call that a server's thread runs a function for, as CallerIsPresent
// (rpc/caller_presence.h) reports it.
#pragma once

#include <functional>

namespace RPCServer {

class CurrentCall {
 public:
  // Makes `present` the answer of CallerIsPresent on the calling thread
  // for the life of the object. `present` must outlive the object.
  explicit CurrentCall(const std::function<bool()>& present);
  ~CurrentCall();
  CurrentCall(const CurrentCall&) = delete;
  CurrentCall& operator=(const CurrentCall&) = delete;

 private:
  const std::function<bool()>* const previous_;
};

}  // namespace RPCServer
