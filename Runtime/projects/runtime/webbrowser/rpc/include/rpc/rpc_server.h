// The server side of the shared-memory RPC channel: a table of named
// functions served one call after another on the server's own thread.
//
//   auto* server = new RPCServer::CRPCServer(new RPCServer::CFileMappingServerImp());
//   server->RegisterFunction(u"ExecJS", delegate);    // the server owns it
//   server->Start(u"Local\\id_SECJS_Server", 0);
//   ...
//   delete server;   // stops the thread and frees the delegates
//
// No operation throws.
#pragma once

#include "platform/message_pump.h"
#include "rpc/rpc_fun_delegate.h"
#include "rpc/rpc_logger.h"

namespace RPCServer {

class IRPCServer {
 public:
  // Stops the service thread, waits for it to end and frees every
  // registered delegate. Not from a delegate (the service thread itself).
  virtual ~IRPCServer() = default;

  // Sets the trace logger (null for none; not owned; it must outlive the
  // server) and the window of the caller, which the server keeps but does
  // not use. Any thread.
  virtual void SetLogger(IRPCLogger* logger, platform::MessagePump* window) = 0;

  // Registers `delegate` under `name` (exact, case-sensitive) and takes
  // ownership; a delegate registered under that name before is destroyed
  // (after a call it is running, if any). Returns 0; 1 when the delegate is
  // null (nothing changes). Any thread, also while the server runs.
  virtual int RegisterFunction(const platform::WChar* name, IRPCFunDelegate* delegate) = 0;

  // Removes and destroys the delegate of `name`, if any. Returns 0.
  virtual int UnregisterFunction(const platform::WChar* name) = 0;

  // Starts serving the channel named `mappingName` on the server's thread;
  // `value` is kept and not used. Returns 0 when the server serves the
  // channel; 2 when it was started before (a server starts once, even
  // after Stop); 1 when its kernel objects or thread cannot be made.
  virtual int Start(const platform::WChar* mappingName, int value) = 0;

  // Asks the service thread to end and waits up to 50 ms for it. A call in
  // progress fails on the client's side; a delegate that waits with the
  // platform waits is woken. The thread closes the channel's objects as it
  // ends. Returns 0.
  virtual int Stop() = 0;
};

// The body of the server's thread.
class IThreadTask {
 public:
  virtual ~IThreadTask() = default;
  // Serves until stopped; returns 0.
  virtual int Run() = 0;
};

// The facade handed to callers: forwards to the implementation it owns.
class CRPCServer final : public IRPCServer {
 public:
  // Takes ownership of `implementation` (not null).
  explicit CRPCServer(IRPCServer* implementation) : implementation_(implementation) {}
  ~CRPCServer() override { delete implementation_; }
  CRPCServer(const CRPCServer&) = delete;
  CRPCServer& operator=(const CRPCServer&) = delete;

  void SetLogger(IRPCLogger* logger, platform::MessagePump* window) override {
    implementation_->SetLogger(logger, window);
  }
  int RegisterFunction(const platform::WChar* name, IRPCFunDelegate* delegate) override {
    return implementation_->RegisterFunction(name, delegate);
  }
  int UnregisterFunction(const platform::WChar* name) override { return implementation_->UnregisterFunction(name); }
  int Start(const platform::WChar* mappingName, int value) override {
    return implementation_->Start(mappingName, value);
  }
  int Stop() override { return implementation_->Stop(); }

 private:
  IRPCServer* const implementation_;
};

}  // namespace RPCServer
