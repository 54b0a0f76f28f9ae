#include "rpc/file_mapping_server.h"

#include <cerrno>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>
#include <utility>

#include "channel_names.h"
#include "channel_text.h"
#include "current_call.h"
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

// One round; what it holds is closed as it ends.
struct CFileMappingServerImp::Call {
  bool request_taken = false;  // a client now waits for this call's outcome
  bool attached = false;       // ... whose semaphores client1 and client2 are
  bool reply_sent = false;     // ... and has been given it
  RPCChannel::Request request;
  std::unique_ptr<NamedSemaphore> client1;
  std::unique_ptr<NamedSemaphore> client2;
  std::unique_ptr<platform::FileMapping> reply;
};

CFileMappingServerImp::CFileMappingServerImp() = default;

CFileMappingServerImp::~CFileMappingServerImp() { EndThread(); }

bool CFileMappingServerImp::CreateSemaphores() {
  names_ = std::make_unique<RPCChannel::ChannelNames>(mapping_name());
  // ServerSemaphore2 first: a client that finds ServerSemaphore1 finds both.
  // Fresh objects: a client still holding a dead server's semaphores must
  // see that server gone (nobody else holds them), not this one.
  server2_ = NamedSemaphore::Create(names_->server2, 0, 1, NamedCreation::kReplace);
  server1_ = NamedSemaphore::Create(names_->server1, 0, 1, NamedCreation::kReplace);
  if (server1_ != nullptr && server2_ != nullptr) return true;
  CloseAll();
  return false;
}

void CFileMappingServerImp::CloseAll() {
  server1_.reset();
  server2_.reset();
}

bool CFileMappingServerImp::AttachClient(Call& call) {
  call.client1 = NamedSemaphore::Open(names_->client1);
  call.client2 = NamedSemaphore::Open(names_->client2);
  return call.client1 != nullptr && call.client2 != nullptr;
}

bool CFileMappingServerImp::ClientStillThere(const Call& call) const {
  // The client holds its ClientSemaphore2 until its call ends, and since the
  // round took the semaphore's name nobody else can open it.
  return call.client2 != nullptr && call.client2->HasOtherHolders();
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
    // A request that nobody can open has normally gone with its client, and
    // there is nobody to tell. But a client still in its call holds
    // ServerSemaphore1 besides this server: another process has opened its
    // request first (a request is made for one reader), and it waits for
    // this round. It is woken so that its call fails instead of waiting.
    const bool client_may_wait = errno != ENOENT || server1_->HasOtherHolders();
    Log(text::kOpenFailed);
    Log(text::kRequestFailed);
    Log(text::kRoundFailed);
    if (client_may_wait) FailCall(call);
    return false;
  }
  std::optional<RPCChannel::MappingText> read = RPCChannel::ReadText(
      request->size(), [&request](std::uint64_t offset, void* out, std::size_t length) {
        return request->ReadAt(offset, out, length);
      });
  // A text that no zero ends has no length: refused, unread.
  if (!read || !read->terminated) {
    Log(text::kViewFailed);
    Log(text::kRequestFailed);
    Log(text::kRoundFailed);
    FailCall(call);
    return false;
  }
  // Consumed: zero-filled, as the client would see it. Nobody reads the
  // request again, so a failure here changes nothing.
  request->ZeroFill(RPCChannel::ConsumedBytes(*read));
  call.request = RPCChannel::SplitRequest(std::move(read->units));
  Log(text::kCloseRequest);
  // Both client semaphores now: they tie this call to its client, who holds
  // them for the whole call. The names are still the client's if it still
  // holds its request afterwards (it sends no other request meanwhile). A
  // client that has gone meanwhile may have let a later caller take them.
  call.attached = AttachClient(call) && request->HasOtherHolders();
  request.reset();
  Log(text::kRequestRead);
  if (!call.attached) {
    Log(text::kRoundFailed);
    return false;
  }
  // Their names go, so that nobody else opens them now: a later client that
  // makes its semaphores with create-or-open gets new ones, never finds a
  // unit this round leaves behind, and never passes for this round's client.
  // A name already taken by a later client stays its own.
  call.client1->RemoveName();
  call.client2->RemoveName();
  call.client1->Release();
  return true;
}

bool CFileMappingServerImp::ReplyAndWait(Call& call) {
  Log(text::kRunFunction);
  LogFunction(call.request.function);
  const std::function<bool()> client_there = [this, &call] { return ClientStillThere(call); };
  Written written = Written::kNo;
  {
    const CurrentCall current(client_there);
    Execute(call.request.function, call.request.parameters,
            [&](const Answer& answer) { written = WriteReply(call, answer.reply(), client_there); });
  }
  // The function is done with (its delegate may go) before the client wakes.
  if (written == Written::kStopping) return false;
  if (written == Written::kNo) return true;
  // A client ends the server's round even when it could not read a reply,
  // so one whose round failed without a reply leaves a unit here: it must
  // not pass for this client's.
  server2_->TryAcquire();
  Log(text::kReplySent);
  call.client2->Release();
  call.reply_sent = true;
  Log(text::kWaitForTaken);
  platform::WaitOptions options;
  options.peer_alive = client_there;
  const platform::WaitResult taken = platform::WaitForObject(*server2_, options);
  if (taken == platform::WaitResult::kStopped) return false;
  if (taken == platform::WaitResult::kPeerGone) Log(text::kRoundFailed);
  Log(text::kCloseReply);
  return true;
}

CFileMappingServerImp::Written CFileMappingServerImp::WriteReply(Call& call, platform::WStringView reply,
                                                                 const std::function<bool()>& client_there) {
  if (Stopping()) {
    FailCall(call);
    return Written::kStopping;
  }
  if (!client_there()) {
    // Nobody to answer; a later caller's request waits for the next round.
    Log(text::kRoundFailed);
    return Written::kNo;
  }
  Log(text::kWriteReply);
  // Written straight from the function's text; the client's first open
  // takes the name, so that a next request made with create-or-open never
  // lands in this reply. The reply takes the name only while it is free: a
  // live object under it was made by someone else while the function ran
  // (a literal client beginning a call of its own, say). It is left as it
  // is, for the next round, and this call fails at once.
  bool name_taken = false;
  call.reply = platform::FileMapping::CreateHolding(names_->mapping, RPCChannel::ReplySize(reply),
                                                    {RPCChannel::Bytes(reply)}, NamedCreation::kCreateOrOpen,
                                                    platform::NameUse::kFirstOpener, &name_taken);
  if (name_taken || call.reply == nullptr) {
    call.reply.reset();
    FailCall(call);
    Log(text::kRoundFailed);
    return Written::kNo;
  }
  return Written::kYes;
}

void CFileMappingServerImp::LogFunction(const platform::WString& function) const {
  // As long as the function name, which a peer chooses: made only for a
  // logger.
  if (!Logging()) return;
  const platform::WStringView open = text::kFunctionOpen;
  const platform::WStringView close = text::kFunctionClose;
  platform::WString line;
  line.reserve(open.size() + function.size() + close.size());
  line.append(open).append(function).append(close);
  Log(line);
}

void CFileMappingServerImp::FailCall(Call& call) {
  // The client wakes from both of its waits: its call fails at once rather
  // than waiting for a reply that will not come. Once the request was read,
  // ClientSemaphore1 is released a second time, which tells this project's
  // client that no reply of this call is to be read, whatever lies under
  // the name. Once attached, only the semaphores of the call's own client:
  // a later caller may have taken the names.
  if (!call.attached) AttachClient(call);
  if (call.client1 != nullptr) ReleaseSecondUnit(call);
  if (call.client2 != nullptr) call.client2->Release();
}

void CFileMappingServerImp::ReleaseSecondUnit(Call& call) {
  // A client not yet woken by the first unit (the request read) still
  // finds it there, and a second release would fail: the client would then
  // see one unit only and take what lies under the name for its reply. So
  // the second goes once the client has taken the first, or has gone.
  while (!call.client1->Release() && call.attached && ClientStillThere(call) && !Stopping()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace RPCServer
