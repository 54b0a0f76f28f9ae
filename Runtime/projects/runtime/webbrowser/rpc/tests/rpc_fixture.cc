#include "rpc_fixture.h"

namespace rpc_test {

Outcome CallWith(RPCClient::IRPCClient& client, const platform::WChar* function, const platform::WChar* parameters) {
  const platform::WChar* result = u"untouched";
  const platform::WChar* error = u"untouched";
  Outcome outcome;
  outcome.rc = client.Call(function, parameters, &result, &error);
  if (result != nullptr) outcome.result = result;
  if (error != nullptr) outcome.error = error;
  return outcome;
}

void RpcServerTest::SetUp() {
  mapping_ = u"Local\\" + UniqueName("call") + u"_SECJS_Server";
  implementation_ = new RPCServer::CFileMappingServerImp();
  server_ = std::make_unique<RPCServer::CRPCServer>(implementation_);
  RegisterTestFunctions(*server_);
  server_->SetLogger(&server_log_, nullptr);
  ASSERT_EQ(server_->Start(mapping_.c_str(), 1000000), 0);
  client_.Connect(mapping_.c_str(), 1000000);
}

void RpcServerTest::TearDown() {
  client_.Disconnect();
  server_.reset();
}

}  // namespace rpc_test
