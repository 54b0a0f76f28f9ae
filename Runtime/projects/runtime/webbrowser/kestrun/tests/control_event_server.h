// The browser control's side of event functions, for the tests: an RPC
// server under "Local\" + identifier + "_SECTQE_Server" whose functions
// record each call and answer through a test's function.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/text_types.h"
#include "rpc/rpc_server.h"

namespace Kestrun::testing {

class ControlEventServer {
 public:
  // The answer to a call of `function` with `parameters` (UTF-8); an answer
  // that begins {"type":"error" reaches the client as an error.
  using Answer = std::function<std::string(const std::string& function, const std::string& parameters)>;

  // Serves `functions` for the object `identifier`; each call is answered
  // by `answer` on the server's thread. A start failure fails the test.
  ControlEventServer(const platform::WString& identifier, const std::vector<std::string>& functions, Answer answer);
  ~ControlEventServer();

  // The calls so far, each "function(parameters)".
  std::vector<std::string> Calls() const;

 private:
  class Function;
  void Record(const std::string& call);

  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
  Answer answer_;
  std::unique_ptr<RPCServer::CRPCServer> server_;
};

}  // namespace Kestrun::testing
