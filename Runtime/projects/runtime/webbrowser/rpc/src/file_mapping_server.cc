#include "rpc/file_mapping_server.h"

#include <cerrno>

#include "channel_names.h"
#include "channel_text.h"
#include "platform/file_mapping.h"
#include "trace.h"

namespace RPCServer {
namespace {

namespace text = RPCChannel::server_trace;
using platform::NamedCreation;
using platform::NamedSemaphore;

bool Stopping() {
  const platform::StopToken* token = platform::StopToken::Current();
  return token != nullptr && token->stop_requested();
}

}  // namespace

struct CFileMappingServerImp::Call {
  bool request_taken = false;  // a client now waits for this call's outcome
  bool attached = false;       // ... whose semaphores client1_ and client2_ are
  bool reply_sent = false;     // ... and has been given it
  RPCChannel::Request request;
  std::unique_ptr<platform::FileMapping> reply;
};

CFileMappingServerImp::CFileMappingServerImp() = default;

CFileMappingServerImp::~CFileMappingServerImp() { EndThread(); }

bool CFileMappingServerImp::CreateSemaphores() {
  names_ = std::make_unique<RPCChannel::ChannelNames>(mapping_name());
  // ServerSemaphore2 first: a client that finds ServerSemaphore1 finds both.
  // Fresh objects: a client still holding a dead server's semaphores must
  // see that server gone, not this one. Clients watch the creator of
  // ServerSemaphore1 to know that the server still serves.
  server2_ = NamedSemaphore::Create(names_->server2, 0, 1, NamedCreation::kReplace);
  server1_ = NamedSemaphore::Create(names_->server1, 0, 1, NamedCreation::kReplace);
  if (server1_ != nullptr && server2_ != nullptr) return true;
  CloseAll();
  return false;
}

void CFileMappingServerImp::CloseAll() {
  server1_.reset();
  server2_.reset();
  client1_.reset();
  client2_.reset();
}

bool CFileMappingServerImp::AttachClient() {
  // A client keeps its semaphores from one successful call to the next, and
  // makes them anew together, ClientSemaphore1 first: while the one held is
  // still named, both belong to the client of this call. Else whatever the
  // names refer to now does.
  if (client1_ == nullptr || client2_ == nullptr || !client1_->IsNamed()) {
    client1_ = NamedSemaphore::Open(names_->client1);
    client2_ = NamedSemaphore::Open(names_->client2);
  }
  return client1_ != nullptr && client2_ != nullptr;
}

int CFileMappingServerImp::Run() {
  set_finished(false);
  while (ServeOneCall()) {
  }
  CloseAll();
  set_finished(true);
  return 0;
}

bool CFileMappingServerImp::ServeOneCall() {
  Call call;
  try {
    Log(RPCChannel::kTraceRule);
    Log(mapping_name());
    Log(text::kWaitForClient);
    if (platform::WaitForObject(*server1_) != platform::WaitResult::kSignaled) return false;
    call.request_taken = true;
    if (!ReadRequest(call)) return !Stopping();
    return ReplyAndWait(call);
  } catch (...) {
    // A throwing delegate or logger, or memory exhaustion: this call fails,
    // the service goes on.
    if (call.request_taken && !call.reply_sent) FailCall(call);
    return !Stopping();
  }
}

bool CFileMappingServerImp::ReadRequest(Call& call) {
  Log(text::kOpenRequest);
  // Request and reply share the name: the reply must not find this object.
  auto request = platform::FileMapping::OpenAndRemoveName(names_->mapping);
  if (request == nullptr) {
    // Without a request there is normally no client left to tell; one that
    // is alive is woken so that its call fails instead of waiting.
    const bool client_may_wait = errno != ENOENT;
    Log(text::kOpenFailed);
    Log(text::kRequestFailed);
    Log(text::kRoundFailed);
    if (client_may_wait) FailCall(call);
    return false;
  }
  platform::WString units((request->size() + 1) / 2, 0);
  if (!request->Read(units.data(), request->size())) {
    Log(text::kViewFailed);
    Log(text::kRequestFailed);
    Log(text::kRoundFailed);
    FailCall(call);
    return false;
  }
  call.request = RPCChannel::TakeRequest(units.data(), request->size());
  // Consumed: the text is zero-filled in the mapping as well.
  request->Write(units.data(), request->size());
  Log(text::kCloseRequest);
  // Both client semaphores now: they tie this call to its client, who holds
  // them for the whole call. The names are still the client's if it still
  // holds its request afterwards: it holds the channel lock all along. A
  // client that has gone meanwhile may have let a later caller take them.
  call.attached = AttachClient() && request->HasOtherHolders();
  request.reset();
  Log(text::kRequestRead);
  if (!call.attached) {
    Log(text::kRoundFailed);
    return false;
  }
  client1_->Release();
  return true;
}

bool CFileMappingServerImp::ReplyAndWait(Call& call) {
  Log(text::kRunFunction);
  Log(text::kFunctionOpen + call.request.function + text::kFunctionClose);
  const Answer answer = Execute(call.request.function, call.request.parameters);
  if (Stopping()) {
    FailCall(call);
    return false;
  }
  Log(text::kWriteReply);
  const platform::WString& reply = answer.reply();
  // The reply takes the name only while it is free. Its client holds the
  // channel lock until the call ends, so a live object under the name is
  // the request of a later caller: this call's client has gone, and the
  // request waits for the next round.
  bool name_taken = false;
  call.reply = platform::FileMapping::CreateHolding(names_->mapping, RPCChannel::ReplyBytes(reply),
                                                    NamedCreation::kCreateOrOpen, &name_taken);
  if (name_taken) {
    call.reply.reset();
    Log(text::kRoundFailed);
    return true;
  }
  if (call.reply == nullptr) {
    FailCall(call);
    Log(text::kRoundFailed);
    return true;
  }
  Log(text::kReplySent);
  client2_->Release();
  call.reply_sent = true;
  Log(text::kWaitForTaken);
  platform::WaitOptions options;
  options.peer_alive = [this] { return client2_->HasOtherHolders(); };
  const platform::WaitResult taken = platform::WaitForObject(*server2_, options);
  if (taken == platform::WaitResult::kStopped) return false;
  if (taken == platform::WaitResult::kPeerGone) Log(text::kRoundFailed);
  Log(text::kCloseReply);
  return true;
}

void CFileMappingServerImp::FailCall(const Call& call) {
  // The client wakes from both of its waits and finds no reply: its call
  // fails at once rather than waiting for a reply that will not come. Once
  // attached, only the semaphores of the call's own client: a later caller
  // may have taken the names.
  if (!call.attached) AttachClient();
  if (client1_ != nullptr) client1_->Release();
  if (client2_ != nullptr) client2_->Release();
}

}  // namespace RPCServer
