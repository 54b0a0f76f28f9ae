// A server of the test functions in this process, started on a fresh
// mapping name, and helpers to call it.
#pragma once

#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include "call_outcome.h"
#include "ipc_sandbox.h"
#include "rpc/file_mapping_client.h"
#include "rpc/file_mapping_server.h"
#include "test_functions.h"

namespace rpc_test {

Outcome CallWith(RPCClient::IRPCClient& client, const platform::WChar* function, const platform::WChar* parameters);

class RpcServerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Outcome Call(const platform::WChar* function, const platform::WChar* parameters) {
    return CallWith(client_, function, parameters);
  }

  platform::WString mapping_;
  RecordingLogger server_log_;
  RPCServer::CFileMappingServerImp* implementation_ = nullptr;  // owned by server_
  std::unique_ptr<RPCServer::CRPCServer> server_;
  RPCClient::CRPCClient client_{new RPCClient::CFileMappingClient()};
};

}  // namespace rpc_test
