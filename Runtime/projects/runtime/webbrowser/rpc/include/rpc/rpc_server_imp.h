// CRPCServerImp: what every RPC server has whatever its channel: the table
// of named functions, the logger, the service thread and its lifecycle.
// A channel (CFileMappingServerImp) supplies Run and the channel hooks.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "platform/stoppable_thread.h"
#include "rpc/rpc_server.h"

namespace RPCServer {

class CRPCServerImp : public IThreadTask, public IRPCServer {
 public:
  CRPCServerImp();
  ~CRPCServerImp() override;

  // 1 unless Run is serving (0 while it runs).
  int IsFinished() const { return finished_.load(std::memory_order_acquire); }

  void SetLogger(IRPCLogger* logger, platform::MessagePump* window) override;
  int RegisterFunction(const platform::WChar* name, IRPCFunDelegate* delegate) override;
  int UnregisterFunction(const platform::WChar* name) override;
  int Start(const platform::WChar* mappingName, int value) override;
  int Stop() override;

 protected:
  // What the function of a request answered: the delegate's own texts.
  struct Answer {
    int code = 0;
    platform::WStringView result;
    platform::WStringView error;
    // The one text that travels: the result, else the error.
    platform::WStringView reply() const { return result.empty() ? error : result; }
  };

  // Runs the delegate registered under `function` and hands what it
  // answered to `use` while the delegate still owns the texts (no copy of
  // them is made), then calls its AfterCall. Without such a delegate `use`
  // gets code 0 and empty texts. Server thread. May throw what the delegate
  // or `use` throws (AfterCall is still called when `use` throws).
  void Execute(const platform::WString& function, const platform::WString& parameters,
               const std::function<void(const Answer&)>& use);

  void Log(const platform::WChar* text) const;
  void Log(const platform::WString& text) const { Log(text.c_str()); }
  // True while a logger is set: a trace line that costs something to make
  // is made only then.
  bool Logging() const { return logger_.load(std::memory_order_acquire) != nullptr; }

  const platform::WString& mapping_name() const { return mapping_name_; }
  platform::MessagePump* window() const { return window_.load(std::memory_order_acquire); }
  void set_finished(bool finished) { finished_.store(finished ? 1 : 0, std::memory_order_release); }

  // Ends the service thread and waits for it, however long it takes. A
  // channel calls it first in its destructor, before its own state goes.
  void EndThread();

  // Channel hooks. CreateSemaphores makes the server's objects of the
  // mapping name before the thread starts (false: Start fails); CloseAll
  // closes every object the channel holds (the thread, as it ends).
  virtual bool CreateSemaphores() = 0;
  virtual void CloseAll() = 0;

 private:
  std::atomic<IRPCLogger*> logger_{nullptr};
  std::atomic<platform::MessagePump*> window_{nullptr};
  std::mutex functions_mutex_;
  std::map<platform::WString, std::shared_ptr<IRPCFunDelegate>> functions_;
  platform::WString mapping_name_;
  int start_value_ = 0;
  std::atomic<int> finished_{1};
  std::mutex lifecycle_mutex_;
  bool running_ = false;
  std::unique_ptr<platform::StoppableThread> thread_;
};

}  // namespace RPCServer
