// Functions and loggers that the RPC tests serve and trace with, in the
// test process and in the rpc_test_peer helper alike.
//
//   "echo"       result = parameters
//   "double"     result = parameters twice (a reply longer than its request)
//   "fail"       error = parameters, no result (code 5)
//   "both"       result "R" and error "E"
//   "nothing"    no texts at all (code 7)
//   "slow"       sleeps `parameters` milliseconds (stops early when the
//                server stops), result "slept"
//   "throw"      throws
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/semaphore.h"
#include "platform/text_types.h"
#include "rpc/rpc_fun_delegate.h"
#include "rpc/rpc_logger.h"
#include "rpc/rpc_server.h"

namespace rpc_test {

// A delegate over a function object; counts its destructions.
class FunctionDelegate : public IRPCFunDelegate {
 public:
  using Body = std::function<int(const platform::WString& function, const platform::WString& parameters,
                                 platform::WString* result, platform::WString* error)>;
  explicit FunctionDelegate(Body body, int* destroyed = nullptr) : body_(std::move(body)), destroyed_(destroyed) {}
  ~FunctionDelegate() override;

  int Invoke(const platform::WChar* function, const platform::WChar* parameters, const platform::WChar** result,
             const platform::WChar** error) override;
  void AfterCall() override;

 private:
  Body body_;
  int* destroyed_;
  platform::WString result_;
  platform::WString error_;
};

// Registers the test functions through `add`, which takes each delegate.
using FunctionSink = std::function<void(const platform::WChar* name, IRPCFunDelegate* delegate)>;
void RegisterTestFunctions(const FunctionSink& add);
void RegisterTestFunctions(RPCServer::IRPCServer& server);

// Keeps every trace line (any thread).
class RecordingLogger : public IRPCLogger {
 public:
  using Lines = std::vector<platform::WString>;

  void Log(const platform::WChar* text) override;
  Lines lines() const;
  // Waits until `done` holds for the lines logged so far, at most
  // `patience`; false when it never did.
  bool WaitUntil(const std::function<bool(const Lines&)>& done, std::chrono::milliseconds patience) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable logged_;
  Lines lines_;
};

// Releases `reached` each time a trace line that begins with `prefix` is
// logged (the count stays at most 1).
class LineSignal : public IRPCLogger {
 public:
  explicit LineSignal(platform::WString prefix) : prefix_(std::move(prefix)) {}
  void Log(const platform::WChar* text) override;
  // True once such a line was logged since the last wait (waits unbounded).
  bool Wait() { return platform::WaitForObject(*reached_) == platform::WaitResult::kSignaled; }

 private:
  const platform::WString prefix_;
  const std::unique_ptr<platform::Semaphore> reached_ = platform::Semaphore::Create(0, 1);
};

// Holds the thread that passes it until the test opens it.
struct Gate {
  std::unique_ptr<platform::Semaphore> reached = platform::Semaphore::Create(0, 1);
  std::unique_ptr<platform::Semaphore> opened = platform::Semaphore::Create(0, 1);
  void Pass();
};

// A logger that, while armed, holds the thread that logs at its next trace
// line beginning with `prefix`.
class GateAtLine : public IRPCLogger {
 public:
  GateAtLine(Gate* gate, platform::WString prefix) : gate_(gate), prefix_(std::move(prefix)) {}
  void Log(const platform::WChar* text) override;
  std::atomic<bool> armed{false};

 private:
  Gate* const gate_;
  const platform::WString prefix_;
};

// Kills its own process (SIGKILL) when the `occurrence`-th trace line that
// begins with `prefix` is logged: a peer that dies at that step.
class DieAtLogger : public IRPCLogger {
 public:
  DieAtLogger(platform::WString prefix, int occurrence) : prefix_(std::move(prefix)), occurrence_(occurrence) {}
  void Log(const platform::WChar* text) override;

 private:
  platform::WString prefix_;
  int occurrence_;
  int seen_ = 0;
};

}  // namespace rpc_test
