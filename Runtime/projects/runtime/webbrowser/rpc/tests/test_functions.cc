#include "test_functions.h"

#include <signal.h>

#include <stdexcept>

#include "platform/stoppable_thread.h"
#include "platform/wide_string.h"

namespace rpc_test {

FunctionDelegate::~FunctionDelegate() {
  if (destroyed_ != nullptr) ++*destroyed_;
}

int FunctionDelegate::Invoke(const platform::WChar* function, const platform::WChar* parameters,
                             const platform::WChar** result, const platform::WChar** error) {
  result_.clear();
  error_.clear();
  const int code = body_(function, parameters, &result_, &error_);
  *result = result_.empty() ? nullptr : result_.c_str();
  *error = error_.empty() ? nullptr : error_.c_str();
  return code;
}

void FunctionDelegate::AfterCall() {
  result_.clear();
  error_.clear();
}

void RegisterTestFunctions(RPCServer::IRPCServer& server) {
  RegisterTestFunctions(
      [&server](const platform::WChar* name, IRPCFunDelegate* delegate) { server.RegisterFunction(name, delegate); });
}

void RegisterTestFunctions(const FunctionSink& add) {
  using platform::WString;
  add(u"echo", new FunctionDelegate([](const WString&, const WString& parameters, WString* result, WString*) {
        *result = parameters;
        return 0;
      }));
  add(u"double", new FunctionDelegate([](const WString&, const WString& parameters, WString* result, WString*) {
        *result = parameters + parameters;
        return 0;
      }));
  add(u"fail", new FunctionDelegate([](const WString&, const WString& parameters, WString*, WString* error) {
        *error = parameters;
        return 5;
      }));
  add(u"both", new FunctionDelegate([](const WString&, const WString&, WString* result, WString* error) {
        // Whole strings, not literals: g++ 12 at -O3 warns falsely about a
        // one-character literal assigned to a string (GCC bug 105329).
        *result = WString(u"R");
        *error = WString(u"E");
        return 0;
      }));
  add(u"nothing", new FunctionDelegate([](const WString&, const WString&, WString*, WString*) { return 7; }));
  add(u"slow", new FunctionDelegate([](const WString&, const WString& parameters, WString* result, WString*) {
        platform::SleepUnlessStopped(static_cast<std::uint32_t>(platform::WToInt(parameters.c_str())));
        *result = u"slept";
        return 0;
      }));
  add(u"throw", new FunctionDelegate([](const WString&, const WString&, WString*, WString*) -> int {
        throw std::runtime_error("delegate failure");
      }));
}

void RecordingLogger::Log(const platform::WChar* text) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.emplace_back(text);
  }
  logged_.notify_all();
}

RecordingLogger::Lines RecordingLogger::lines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_;
}

bool RecordingLogger::WaitUntil(const std::function<bool(const Lines&)>& done,
                                std::chrono::milliseconds patience) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return logged_.wait_for(lock, patience, [&] { return done(lines_); });
}

void LineSignal::Log(const platform::WChar* text) {
  if (platform::WStringView(text).substr(0, prefix_.size()) == prefix_) reached_->Release();
}

void Gate::Pass() {
  reached->Release();
  platform::WaitForObject(*opened);
}

void GateAtLine::Log(const platform::WChar* text) {
  if (platform::WStringView(text).substr(0, prefix_.size()) == prefix_ && armed.exchange(false)) gate_->Pass();
}

void DieAtLogger::Log(const platform::WChar* text) {
  if (platform::WStringView(text).substr(0, prefix_.size()) != prefix_) return;
  if (++seen_ == occurrence_) ::raise(SIGKILL);
}

}  // namespace rpc_test
