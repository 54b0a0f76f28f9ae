// The client side of the shared-memory RPC channel: one synchronous call at
// a time of a named function of the server that serves a mapping name.
//
//   RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
//   client.Connect(u"Local\\id_SECTQE_Server", 0);
//   const platform::WChar* result = nullptr;
//   const platform::WChar* error = nullptr;
//   if (client.Call(u"OnClick", u"{}", &result, &error) == 0) { ... }
//   client.Disconnect();
//
// A client object is used by one thread at a time; calls of several clients
// of one channel, in one process or several, are served one after another.
// No operation throws.
#pragma once

#include "platform/message_pump.h"
#include "rpc/rpc_logger.h"

namespace RPCClient {

class IRPCClient {
 public:
  virtual ~IRPCClient() = default;

  // Sets the trace logger (null for none; not owned) and the window whose
  // messages are pumped while a call waits (null: the call waits without
  // pumping). Takes effect at the next Connect.
  virtual void SetLogger(IRPCLogger* logger, platform::MessagePump* window) = 0;

  // Aims the client at the server of `mappingName`; `value` is kept and not
  // used. Always returns 0: a missing server shows in Call.
  virtual int Connect(const platform::WChar* mappingName, int value) = 0;

  virtual void Disconnect() = 0;

  // Calls `function` with `parameters` (null counts as empty). Returns 0
  // when the server answered: `*result` then points to the reply, or, when
  // the reply is an error object (it begins {"type":"error"), `*error`
  // does; the other stays null, as both do for an empty reply. Returns 1,
  // both outputs null, when the call failed: empty or null function name,
  // not connected, no server within about a second, the server gone or
  // stopped during the call, a pumping wait that ended otherwise; a request
  // the server could not read (another process of the user opened it
  // first, say) or a call it could not answer (its function threw, or
  // someone made a mapping under the channel's name while it ran), which
  // the server reports at once; a reply that cannot be read, or that no
  // zero ends (refused without being copied), which still ends the
  // server's round. A request that a server gone meanwhile had not read yet
  // goes once more to the server of the name (one restarted at once, say)
  // before the call fails. After a failure the next call starts afresh.
  // The texts are owned by the client and stay valid until a later call
  // produces a text of the same kind, or the client is destroyed. Either
  // output pointer may be null.
  virtual int Call(const platform::WChar* function, const platform::WChar* parameters,
                   const platform::WChar** result, const platform::WChar** error) = 0;
};

// The facade handed to callers: forwards to the implementation it owns.
class CRPCClient final : public IRPCClient {
 public:
  // Takes ownership of `implementation` (not null).
  explicit CRPCClient(IRPCClient* implementation) : implementation_(implementation) {}
  ~CRPCClient() override { delete implementation_; }
  CRPCClient(const CRPCClient&) = delete;
  CRPCClient& operator=(const CRPCClient&) = delete;

  void SetLogger(IRPCLogger* logger, platform::MessagePump* window) override {
    implementation_->SetLogger(logger, window);
  }
  int Connect(const platform::WChar* mappingName, int value) override {
    return implementation_->Connect(mappingName, value);
  }
  void Disconnect() override { implementation_->Disconnect(); }
  int Call(const platform::WChar* function, const platform::WChar* parameters, const platform::WChar** result,
           const platform::WChar** error) override {
    return implementation_->Call(function, parameters, result, error);
  }

 private:
  IRPCClient* const implementation_;
};

}  // namespace RPCClient
