#include "rpc/rpc_server_imp.h"

namespace RPCServer {
namespace {

// How long Stop waits for the service thread.
constexpr std::uint32_t kStopWaitMs = 50;

platform::WString TextOrEmpty(const platform::WChar* text) { return text != nullptr ? text : u""; }

platform::WStringView ViewOrEmpty(const platform::WChar* text) {
  return text != nullptr ? platform::WStringView(text) : platform::WStringView();
}

}  // namespace

CRPCServerImp::CRPCServerImp() : thread_(std::make_unique<platform::StoppableThread>()) {}

CRPCServerImp::~CRPCServerImp() { EndThread(); }

void CRPCServerImp::SetLogger(IRPCLogger* logger, platform::MessagePump* window) {
  logger_.store(logger, std::memory_order_release);
  window_.store(window, std::memory_order_release);
}

int CRPCServerImp::RegisterFunction(const platform::WChar* name, IRPCFunDelegate* delegate) {
  if (delegate == nullptr) return 1;
  std::shared_ptr<IRPCFunDelegate> owned(delegate);
  std::shared_ptr<IRPCFunDelegate> replaced;
  {
    std::lock_guard<std::mutex> lock(functions_mutex_);
    std::swap(functions_[TextOrEmpty(name)], owned);
    replaced = std::move(owned);
  }
  return 0;  // `replaced` goes here, outside the lock, unless a call still runs it
}

int CRPCServerImp::UnregisterFunction(const platform::WChar* name) {
  std::shared_ptr<IRPCFunDelegate> removed;
  {
    std::lock_guard<std::mutex> lock(functions_mutex_);
    const auto found = functions_.find(TextOrEmpty(name));
    if (found == functions_.end()) return 0;
    removed = std::move(found->second);
    functions_.erase(found);
  }
  return 0;
}

int CRPCServerImp::Start(const platform::WChar* mappingName, int value) {
  std::lock_guard<std::mutex> lock(lifecycle_mutex_);
  if (running_) return 2;
  mapping_name_ = TextOrEmpty(mappingName);
  start_value_ = value;
  if (!CreateSemaphores()) return 1;
  if (!thread_->Start([this] { Run(); })) {
    CloseAll();
    return 1;
  }
  running_ = true;
  return 0;
}

int CRPCServerImp::Stop() {
  std::lock_guard<std::mutex> lock(lifecycle_mutex_);
  if (running_) {
    thread_->RequestStop();
    thread_->WaitForEnd(kStopWaitMs);
  }
  return 0;
}

void CRPCServerImp::EndThread() {
  std::lock_guard<std::mutex> lock(lifecycle_mutex_);
  thread_.reset();
}

void CRPCServerImp::Execute(const platform::WString& function, const platform::WString& parameters,
                            const std::function<void(const Answer&)>& use) {
  std::shared_ptr<IRPCFunDelegate> delegate;
  {
    std::lock_guard<std::mutex> lock(functions_mutex_);
    const auto found = functions_.find(function);
    if (found != functions_.end()) delegate = found->second;
  }
  Answer answer;
  if (delegate == nullptr) {
    use(answer);
    return;
  }
  const platform::WChar* result = nullptr;
  const platform::WChar* error = nullptr;
  answer.code = delegate->Invoke(function.c_str(), parameters.c_str(), &result, &error);
  answer.result = ViewOrEmpty(result);
  answer.error = ViewOrEmpty(error);
  try {
    use(answer);
  } catch (...) {
    delegate->AfterCall();
    throw;
  }
  delegate->AfterCall();
}

void CRPCServerImp::Log(const platform::WChar* text) const {
  IRPCLogger* logger = logger_.load(std::memory_order_acquire);
  if (logger != nullptr) logger->Log(text);
}

}  // namespace RPCServer
