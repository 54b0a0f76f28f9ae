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

// Opens a semaphore, trying again 50 ms apart.
std::unique_ptr<NamedSemaphore> OpenWithRetries(const platform::WString& name, int further_tries) {
  for (int attempt = 0;; ++attempt) {
    auto semaphore = NamedSemaphore::Open(name);
    if (semaphore != nullptr || attempt == further_tries) return semaphore;
    if (!platform::SleepUnlessStopped(kRetryMs)) return nullptr;
  }
}

}  // namespace

// The kernel objects of one call, every one of them closed as the call
// ends: between calls the client holds nothing of the channel. The channel
// lock is held from the start of the call to its end, so calls of one
// channel never mix.
struct CFileMappingClient::Exchange {
  ~Exchange() {
    request.reset();
    client1.reset();
    client2.reset();
    server1.reset();
    server2.reset();
    if (lock != nullptr) lock->Unlock();
  }

  platform::NamedMutex* lock = nullptr;  // held, when set
  std::unique_ptr<platform::FileMapping> request;
  std::unique_ptr<NamedSemaphore> client1;
  std::unique_ptr<NamedSemaphore> client2;
  std::unique_ptr<NamedSemaphore> server1;
  std::unique_ptr<NamedSemaphore> server2;  // null until found
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
  const platform::WString* kept = nullptr;
  int failed = 1;
  try {
    failed = CallServer(function, parameters != nullptr ? parameters : u"", &kept);
  } catch (...) {
    platform::ShowMessageBox(u"WebBrowser Client Debug", u"Catch");
  }
  if (failed != 0) return 1;
  if (kept == nullptr) return 0;
  const platform::WChar** output = kept == &error_text_ ? error : result;
  if (output != nullptr) *output = kept->c_str();
  return 0;
}

int CFileMappingClient::CallServer(platform::WStringView function, platform::WStringView parameters,
                                   const platform::WString** kept) {
  Exchange exchange;
  if (channel_lock_ == nullptr) channel_lock_ = platform::NamedMutex::Create(mapping_name_);
  if (channel_lock_ == nullptr || !channel_lock_->Lock()) return 1;
  exchange.lock = channel_lock_.get();
  if (!MakeClientSemaphores(exchange)) return 1;
  // A server that went before it had read the request ran nothing, and a
  // restarted one may already serve the name: the request goes once more,
  // to whichever server serves it now.
  Delivery delivery = Deliver(exchange, function, parameters);
  if (delivery == Delivery::kServerGone) delivery = Deliver(exchange, function, parameters);
  if (delivery == Delivery::kServerGone) Log(text::kWaitFailed);
  if (delivery != Delivery::kRead) return 1;
  Log(text::kWaitForReply);
  if (WaitForServer(exchange, *exchange.client2) != platform::WaitResult::kSignaled) {
    Log(text::kWaitFailed);
    return 1;
  }
  if (ServerFailedCall(exchange)) return 1;
  Reply reply = OpenReply();
  if (reply.text) Log(text::kReplyTaken);
  // Read or not, the server's round ends here: a server that wrote a reply
  // waits for this, and every later call of the channel would wait for it.
  if (exchange.server2 == nullptr) exchange.server2 = OpenWithRetries(names_->server2, kServer2Retries);
  if (exchange.server2 != nullptr) exchange.server2->Release();
  if (!reply.text) return 1;
  *kept = Keep(std::move(*reply.text));
  return 0;
}

bool CFileMappingClient::ServerFailedCall(Exchange& exchange) {
  // ClientSemaphore1 said once that the request was read; a second unit is
  // this project's server saying that the call failed. Whatever lies under
  // the name now is not this call's reply (it may be a request that another
  // client made meanwhile), and the server waits for nothing more: the call
  // ends as one that finds no reply.
  if (!exchange.client1->TryAcquire()) return false;
  Log(text::kReadReply);
  Log(text::kOpenFailed);
  return true;
}

bool CFileMappingClient::MakeClientSemaphores(Exchange& exchange) {
  // New objects each call, even when a server still holds the last ones
  // (say, in a round whose client has gone): what that round releases must
  // not wake this call.
  exchange.client1 = NamedSemaphore::Create(names_->client1, 0, 1, NamedCreation::kReplace);
  exchange.client2 = NamedSemaphore::Create(names_->client2, 0, 1, NamedCreation::kReplace);
  return exchange.client1 != nullptr && exchange.client2 != nullptr;
}

bool CFileMappingClient::FindServer(Exchange& exchange) {
  exchange.server1 = OpenWithRetries(names_->server1, kServer1Retries);
  if (exchange.server1 == nullptr) return false;
  // Held from now on, so that the acknowledgement reaches this call's
  // server; a server that has not made it yet is looked for again then.
  exchange.server2 = NamedSemaphore::Open(names_->server2);
  return true;
}

CFileMappingClient::Delivery CFileMappingClient::Deliver(Exchange& exchange, platform::WStringView function,
                                                         platform::WStringView parameters) {
  Log(RPCChannel::kTraceRule);
  Log(mapping_name_.c_str());
  Log(text::kWriteRequest);
  if (!SendRequest(exchange, function, parameters)) return Delivery::kFailed;
  Log(text::kWaitForRead);
  for (;;) {
    const platform::WaitResult read = WaitForServer(exchange, *exchange.client1);
    if (read == platform::WaitResult::kSignaled) break;
    if (read != platform::WaitResult::kPeerGone) {
      Log(text::kWaitFailed);
      return Delivery::kFailed;
    }
    // Nobody else held ServerSemaphore1. The signal taken back, nobody can
    // be woken by it any more. Taken already, and the semaphore held again
    // meanwhile: a server has just opened it (one that makes its semaphores
    // each round, say) and reads the request now.
    if (exchange.server1->TryAcquire() || !exchange.server1->HasOtherHolders()) return Delivery::kServerGone;
  }
  Log(text::kCloseRequest);
  exchange.request.reset();
  return Delivery::kRead;
}

bool CFileMappingClient::SendRequest(Exchange& exchange, platform::WStringView function,
                                     platform::WStringView parameters) {
  // Written straight from the caller's texts. The server's open takes the
  // name, so that a reply made with create-or-open never lands in this
  // request, whenever this call closes it.
  exchange.request = platform::FileMapping::CreateHolding(
      names_->mapping, RPCChannel::RequestSize(function, parameters),
      {RPCChannel::Bytes(function), RPCChannel::Bytes(u":"), RPCChannel::Bytes(parameters)}, NamedCreation::kReplace,
      platform::NameUse::kFirstOpener);
  if (exchange.request == nullptr) {
    Log(text::kWriteFailed);
    return false;
  }
  Log(text::kNotifyServer);
  exchange.server1.reset();
  exchange.server2.reset();
  if (!FindServer(exchange)) {
    Log(text::kNotifyFailed);
    return false;
  }
  exchange.server1->Release();
  return true;
}

platform::WaitResult CFileMappingClient::WaitForServer(const Exchange& exchange, platform::Waitable& semaphore) {
  platform::WaitOptions options;
  // A server holds ServerSemaphore1 from before it takes a request until
  // after the reply has been taken; this call holds it too.
  const NamedSemaphore& server1 = *exchange.server1;
  options.peer_alive = [&server1] { return server1.HasOtherHolders(); };
  options.pump = connected_window_;
  for (;;) {
    const platform::WaitResult result = platform::WaitForObject(semaphore, options);
    if (result != platform::WaitResult::kMessages) return result;
    PumpWindowMessages();
  }
}

void CFileMappingClient::PumpWindowMessages() {
  platform::WindowMessage message;
  while (connected_window_->Take(&message, 0, kLastPumpedMessage)) {
    if (!IsInputMessage(message.message)) connected_window_->Dispatch(message);
  }
}

CFileMappingClient::Reply CFileMappingClient::OpenReply() {
  Log(text::kReadReply);
  Reply reply;
  // Request and reply share the name: the next request must not find this.
  reply.mapping = platform::FileMapping::OpenAndRemoveName(names_->mapping);
  if (reply.mapping == nullptr) {
    Log(text::kOpenFailed);
    return reply;
  }
  const platform::FileMapping& mapping = *reply.mapping;
  std::optional<RPCChannel::MappingText> read = RPCChannel::ReadText(
      mapping.size(),
      [&mapping](std::uint64_t offset, void* out, std::size_t length) { return mapping.ReadAt(offset, out, length); });
  if (!read) {
    Log(text::kViewFailed);
    return reply;
  }
  if (read->terminated) reply.text = std::move(read->units);
  Log(reply.text ? text::kCloseReply : text::kReadFailed);
  return reply;
}

const platform::WString* CFileMappingClient::Keep(platform::WString reply) {
  if (reply.empty()) return nullptr;
  platform::WString& kept = RPCChannel::IsErrorReply(reply) ? error_text_ : result_text_;
  kept = std::move(reply);  // the last text of this kind goes
  return &kept;
}

void CFileMappingClient::Log(const platform::WChar* text) const {
  if (logger_ != nullptr) logger_->Log(text);
}

}  // namespace RPCClient
