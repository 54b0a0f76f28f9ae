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

// Opens a semaphore, trying again 50 ms apart. With `served`, only one
// whose server is alive counts (a client may still hold a dead server's).
std::unique_ptr<NamedSemaphore> OpenWithRetries(const platform::WString& name, int further_tries, bool served) {
  for (int attempt = 0;; ++attempt) {
    auto semaphore = NamedSemaphore::Open(name);
    if (semaphore != nullptr && served && !semaphore->CreatorAlive()) semaphore.reset();
    if (semaphore != nullptr || attempt == further_tries) return semaphore;
    if (!platform::SleepUnlessStopped(kRetryMs)) return nullptr;
  }
}

}  // namespace

// The kernel objects of one call. The channel lock is held from the start
// of the call to its end, so calls of one channel never mix.
struct CFileMappingClient::Exchange {
  ~Exchange() {
    request.reset();
    if (lock != nullptr) lock->Unlock();
  }

  platform::NamedMutex* lock = nullptr;  // held, when set
  std::unique_ptr<platform::FileMapping> request;
};

CFileMappingClient::CFileMappingClient() = default;

CFileMappingClient::~CFileMappingClient() = default;

void CFileMappingClient::SetLogger(IRPCLogger* logger, platform::MessagePump* window) {
  logger_ = logger;
  window_ = window;
}

int CFileMappingClient::Connect(const platform::WChar* mappingName, int value) {
  mapping_name_ = mappingName != nullptr ? mappingName : u"";
  names_ = std::make_unique<RPCChannel::ChannelNames>(mapping_name_);
  connect_value_ = value;
  connected_window_ = window_;
  channel_lock_.reset();
  DropChannelObjects();
  connected_ = true;
  return 0;
}

void CFileMappingClient::Disconnect() {
  channel_lock_.reset();
  DropChannelObjects();
  connected_ = false;
}

int CFileMappingClient::Call(const platform::WChar* function, const platform::WChar* parameters,
                             const platform::WChar** result, const platform::WChar** error) {
  if (result != nullptr) *result = nullptr;
  if (error != nullptr) *error = nullptr;
  if (function == nullptr || *function == 0 || !connected_) return 1;
  platform::WString reply;
  int failed = 1;
  try {
    failed = CallServer(function, parameters != nullptr ? parameters : u"", &reply);
  } catch (...) {
    platform::ShowMessageBox(u"WebBrowser Client Debug", u"Catch");
  }
  if (failed != 0) {
    DropChannelObjects();
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
  Exchange exchange;
  if (channel_lock_ == nullptr) channel_lock_ = platform::NamedMutex::Create(mapping_name_);
  if (channel_lock_ == nullptr || !channel_lock_->Lock()) return 1;
  exchange.lock = channel_lock_.get();
  if (!PrepareClientSemaphores()) return 1;
  // A server that went before it had read the request ran nothing, and a
  // restarted one may already serve the name: the request goes once more,
  // to whichever server serves it now.
  Delivery delivery = Deliver(exchange, function, parameters);
  if (delivery == Delivery::kServerGone) delivery = Deliver(exchange, function, parameters);
  if (delivery != Delivery::kRead) return 1;
  Log(text::kWaitForReply);
  if (WaitForServer(*client2_) != platform::WaitResult::kSignaled || !ReceiveReply(reply)) return 1;
  Log(text::kReplyTaken);
  if (server2_ == nullptr) server2_ = OpenWithRetries(names_->server2, kServer2Retries, false);
  if (server2_ != nullptr) server2_->Release();
  return 0;
}

void CFileMappingClient::DropChannelObjects() {
  // Closing its semaphores tells a server still busy with a failed call
  // that its client has gone; the next call makes or opens new ones.
  client1_.reset();
  client2_.reset();
  server1_.reset();
  server2_.reset();
}

bool CFileMappingClient::FindServer() {
  // The server's semaphores of the last call serve again while the name of
  // ServerSemaphore1 still refers to it and its server is alive. The
  // ServerSemaphore2 opened with it belongs to that same server.
  if (server1_ != nullptr && server2_ != nullptr && server1_->IsNamed() && server1_->CreatorAlive()) return true;
  server2_.reset();
  server1_ = OpenWithRetries(names_->server1, kServer1Retries, true);
  if (server1_ == nullptr) return false;
  // Held from now on, so the acknowledgement reaches this call's server.
  server2_ = NamedSemaphore::Open(names_->server2);
  return true;
}

bool CFileMappingClient::PrepareClientSemaphores() {
  // The semaphores of the last call, when it succeeded and nobody has taken
  // their names since, serve again (with any stray count cleared). Else new
  // ones: whatever another call left under these names belongs to that call.
  // Clients make both together, ClientSemaphore1 first, so another client
  // has taken both names or neither when ClientSemaphore1's is still ours.
  if (client1_ != nullptr && client2_ != nullptr && client1_->IsNamed()) {
    while (client1_->TryAcquire() || client2_->TryAcquire()) {
    }
    return true;
  }
  client1_ = NamedSemaphore::Create(names_->client1, 0, 1, NamedCreation::kReplace);
  client2_ = NamedSemaphore::Create(names_->client2, 0, 1, NamedCreation::kReplace);
  return client1_ != nullptr && client2_ != nullptr;
}

CFileMappingClient::Delivery CFileMappingClient::Deliver(Exchange& exchange, platform::WStringView function,
                                                         platform::WStringView parameters) {
  Log(RPCChannel::kTraceRule);
  Log(mapping_name_.c_str());
  Log(text::kWriteRequest);
  if (!SendRequest(exchange, function, parameters)) return Delivery::kFailed;
  Log(text::kWaitForRead);
  const platform::WaitResult read = WaitForServer(*client1_);
  if (read == platform::WaitResult::kPeerGone) return Delivery::kServerGone;
  if (read != platform::WaitResult::kSignaled) return Delivery::kFailed;
  Log(text::kCloseRequest);
  exchange.request.reset();
  return Delivery::kRead;
}

bool CFileMappingClient::SendRequest(Exchange& exchange, platform::WStringView function,
                                     platform::WStringView parameters) {
  exchange.request = platform::FileMapping::CreateHolding(
      names_->mapping, RPCChannel::RequestBytes(function, parameters), NamedCreation::kReplace);
  if (exchange.request == nullptr) {
    Log(text::kWriteFailed);
    return false;
  }
  Log(text::kNotifyServer);
  if (!FindServer()) {
    Log(text::kNotifyFailed);
    return false;
  }
  server1_->Release();
  return true;
}

platform::WaitResult CFileMappingClient::WaitForServer(platform::Waitable& semaphore) {
  platform::WaitOptions options;
  // The server holds the ServerSemaphore1 it made for as long as it serves.
  options.peer_alive = [this] { return server1_->CreatorAlive(); };
  options.pump = connected_window_;
  for (;;) {
    const platform::WaitResult result = platform::WaitForObject(semaphore, options);
    if (result == platform::WaitResult::kSignaled) return result;
    if (result != platform::WaitResult::kMessages) {
      Log(text::kWaitFailed);
      return result;
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

bool CFileMappingClient::ReceiveReply(platform::WString* reply) {
  Log(text::kReadReply);
  // Request and reply share the name: the next request must not find this.
  auto mapping = platform::FileMapping::OpenAndRemoveName(names_->mapping);
  if (mapping == nullptr) {
    Log(text::kOpenFailed);
    return false;
  }
  platform::WString units((mapping->size() + 1) / 2, 0);
  if (!mapping->Read(units.data(), mapping->size())) {
    Log(text::kViewFailed);
    return false;
  }
  *reply = RPCChannel::ReadText(units.data(), mapping->size());
  Log(text::kCloseReply);
  return true;
}

void CFileMappingClient::Log(const platform::WChar* text) const {
  if (logger_ != nullptr) logger_->Log(text);
}

}  // namespace RPCClient
