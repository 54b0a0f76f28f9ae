#include "rpc/file_mapping_client.h"

#include <memory>

#include "channel_names.h"
#include "channel_text.h"
#include "platform/file_mapping.h"
#include "platform/message_box.h"
#include "platform/named_semaphore.h"
#include "platform/stoppable_thread.h"
#include "trace.h"

namespace RPCClient {
namespace {

namespace text = RPCChannel::client_trace;
using platform::NamedCreation;
using platform::NamedSemaphore;

constexpr std::uint32_t kRetryMs = 50;
constexpr int kServer1Retries = 20;
constexpr int kServer2Retries = 200;
// Messages pumped during a wait, and those among them that are dropped
// (keyboard, mouse, non-client mouse input).
constexpr std::uint32_t kLastPumpedMessage = 0x400;

bool IsInputMessage(std::uint32_t message) {
  return (message >= 0x100 && message <= 0x109) || (message >= 0x200 && message <= 0x20E) ||
         (message >= 0xA0 && message <= 0xA9);
}

std::unique_ptr<NamedSemaphore> OpenWithRetries(const platform::WString& name, int further_tries) {
  for (int attempt = 0;; ++attempt) {
    auto semaphore = NamedSemaphore::Open(name);
    if (semaphore != nullptr || attempt == further_tries) return semaphore;
    if (!platform::SleepUnlessStopped(kRetryMs)) return nullptr;
  }
}

}  // namespace

// The kernel objects of one call. The channel lock is held from the start
// of the call to its end, so calls of one channel never mix.
struct CFileMappingClient::Exchange {
  explicit Exchange(const platform::WString& mapping_name) : names(mapping_name) {}
  ~Exchange() {
    request.reset();
    client1.reset();
    client2.reset();
    server1.reset();
    server2.reset();
    if (lock != nullptr) lock->Unlock();
  }

  RPCChannel::ChannelNames names;
  platform::NamedMutex* lock = nullptr;  // held, when set
  std::unique_ptr<NamedSemaphore> client1;
  std::unique_ptr<NamedSemaphore> client2;
  std::unique_ptr<NamedSemaphore> server1;
  std::unique_ptr<NamedSemaphore> server2;
  std::unique_ptr<platform::FileMapping> request;
};

void CFileMappingClient::SetLogger(IRPCLogger* logger, platform::MessagePump* window) {
  logger_ = logger;
  window_ = window;
}

int CFileMappingClient::Connect(const platform::WChar* mappingName, int value) {
  mapping_name_ = mappingName != nullptr ? mappingName : u"";
  connect_value_ = value;
  connected_window_ = window_;
  channel_lock_.reset();
  connected_ = true;
  return 0;
}

void CFileMappingClient::Disconnect() {
  channel_lock_.reset();
  connected_ = false;
}

int CFileMappingClient::Call(const platform::WChar* function, const platform::WChar* parameters,
                             const platform::WChar** result, const platform::WChar** error) {
  if (result != nullptr) *result = nullptr;
  if (error != nullptr) *error = nullptr;
  if (function == nullptr || *function == 0 || !connected_) return 1;
  platform::WString reply;
  try {
    if (CallServer(function, parameters != nullptr ? parameters : u"", &reply) != 0) return 1;
  } catch (...) {
    platform::ShowMessageBox(u"WebBrowser Client Debug", u"Catch");
    return 1;
  }
  if (reply.empty()) return 0;
  platform::WString& kept = RPCChannel::IsErrorReply(reply) ? error_text_ : result_text_;
  kept = std::move(reply);
  const platform::WChar** output = &kept == &error_text_ ? error : result;
  if (output != nullptr) *output = kept.c_str();
  return 0;
}

int CFileMappingClient::CallServer(platform::WStringView function, platform::WStringView parameters,
                                   platform::WString* reply) {
  Exchange exchange(mapping_name_);
  if (channel_lock_ == nullptr) channel_lock_ = platform::NamedMutex::Create(mapping_name_);
  if (channel_lock_ == nullptr || !channel_lock_->Lock()) return 1;
  exchange.lock = channel_lock_.get();
  // Fresh semaphores: whatever a former call left under these names belongs
  // to that call.
  exchange.client1 = NamedSemaphore::Create(exchange.names.client1, 0, 1, NamedCreation::kReplace);
  exchange.client2 = NamedSemaphore::Create(exchange.names.client2, 0, 1, NamedCreation::kReplace);
  if (exchange.client1 == nullptr || exchange.client2 == nullptr) return 1;
  Log(RPCChannel::kTraceRule);
  Log(mapping_name_.c_str());
  Log(text::kWriteRequest);
  if (!SendRequest(exchange, function, parameters) || !WaitForRequestRead(exchange)) return 1;
  Log(text::kWaitForReply);
  if (!WaitForServer(exchange, *exchange.client2) || !ReceiveReply(exchange, reply)) return 1;
  Log(text::kReplyTaken);
  if (exchange.server2 == nullptr) exchange.server2 = OpenWithRetries(exchange.names.server2, kServer2Retries);
  if (exchange.server2 != nullptr) exchange.server2->Release();
  return 0;
}

bool CFileMappingClient::SendRequest(Exchange& exchange, platform::WStringView function,
                                     platform::WStringView parameters) {
  exchange.request = platform::FileMapping::Create(
      exchange.names.mapping, RPCChannel::RequestMappingSize(function, parameters), NamedCreation::kReplace);
  void* view = exchange.request != nullptr ? exchange.request->MapView() : nullptr;
  if (view == nullptr) {
    Log(text::kWriteFailed);
    return false;
  }
  RPCChannel::WriteRequest(view, function, parameters);
  Log(text::kNotifyServer);
  exchange.server1 = OpenWithRetries(exchange.names.server1, kServer1Retries);
  if (exchange.server1 == nullptr) {
    Log(text::kNotifyFailed);
    return false;
  }
  // Held from now on, so the acknowledgement reaches this call's server.
  exchange.server2 = NamedSemaphore::Open(exchange.names.server2);
  exchange.server1->Release();
  return true;
}

bool CFileMappingClient::WaitForRequestRead(Exchange& exchange) {
  Log(text::kWaitForRead);
  if (!WaitForServer(exchange, *exchange.client1)) return false;
  Log(text::kCloseRequest);
  exchange.request.reset();
  return true;
}

bool CFileMappingClient::WaitForServer(Exchange& exchange, platform::Waitable& semaphore) {
  platform::WaitOptions options;
  // The server holds ServerSemaphore1 for as long as it serves.
  options.peer_alive = [&exchange] { return exchange.server1->HasOtherHolders(); };
  options.pump = connected_window_;
  for (;;) {
    const platform::WaitResult result = platform::WaitForObject(semaphore, options);
    if (result == platform::WaitResult::kSignaled) return true;
    if (result != platform::WaitResult::kMessages) {
      Log(text::kWaitFailed);
      return false;
    }
    PumpWindowMessages();
  }
}

void CFileMappingClient::PumpWindowMessages() {
  platform::WindowMessage message;
  while (connected_window_->Take(&message, 0, kLastPumpedMessage)) {
    if (!IsInputMessage(message.message)) connected_window_->Dispatch(message);
  }
}

bool CFileMappingClient::ReceiveReply(Exchange& exchange, platform::WString* reply) {
  Log(text::kReadReply);
  auto mapping = platform::FileMapping::Open(exchange.names.mapping);
  if (mapping == nullptr) {
    Log(text::kOpenFailed);
    return false;
  }
  // Request and reply share the name: the next request must not find this.
  mapping->RemoveName();
  const void* view = mapping->MapView();
  if (view == nullptr) {
    Log(text::kViewFailed);
    return false;
  }
  *reply = RPCChannel::ReadText(view, mapping->size());
  Log(text::kCloseReply);
  return true;
}

void CFileMappingClient::Log(const platform::WChar* text) const {
  if (logger_ != nullptr) logger_->Log(text);
}

}  // namespace RPCClient
