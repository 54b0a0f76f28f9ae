// CFileMappingServerImp: an RPC server over named file mappings and named
// semaphores. Each call: wait for ServerSemaphore1, read and consume the
// request mapping, signal ClientSemaphore1, run the function, write the
// reply mapping, signal ClientSemaphore2, wait for ServerSemaphore2. The
// client's semaphores are opened for one round and closed as it ends, so
// any client that follows the channel can call it.
//
// Beyond the bare channel: ServerSemaphore1 and 2 are made once, fresh, at
// Start and held until the thread ends (a client waiting on a dead
// server's semaphore sees that server gone, never this one); a client that
// dies or gives up ends only its own call (the server notices through the
// client's semaphores and its request, and serves the next call; a late
// reply never takes the place of a later caller's request; a function can
// ask whether its caller is still there, rpc/caller_presence.h); a
// function that throws fails its call; a stop wakes every wait and fails a
// call in progress at once; a client whose request nobody can open any
// more while it still waits (another process opened it first) is woken,
// and its call fails; a reply whose name someone took while the function
// ran is not written, the call fails at once (ClientSemaphore1 is
// released a second time, which this project's client reads as that) and
// the object under the name is left to the next round; the reply mapping
// gives up its name to the client's open, so that a next request made with
// create-or-open is a new mapping of its own size; a unit that the client
// of a failed round left in ServerSemaphore2 is taken back before the next
// reply goes. Reading the request costs what its text costs, however large
// the mapping the client made; a request that no zero ends is refused
// unread and its call fails; the function name is copied once, and traced
// only when a logger is set; the reply is written from the function's own
// text.
#pragma once

#include <functional>
#include <memory>

#include "platform/named_semaphore.h"
#include "rpc/rpc_server_imp.h"

namespace RPCChannel {
struct ChannelNames;
}

namespace RPCServer {

class CFileMappingServerImp final : public CRPCServerImp {
 public:
  CFileMappingServerImp();
  ~CFileMappingServerImp() override;

  // The service thread: serves calls until stopped. Returns 0.
  int Run() override;

 private:
  struct Call;

  bool CreateSemaphores() override;
  void CloseAll() override;

  // One call, from the wait for a request to the client's acknowledgement.
  // False when the server is stopping.
  bool ServeOneCall();
  // Opens the semaphores of the client whose call this is.
  bool AttachClient(Call& call);
  // True while the call's client still waits for its outcome.
  bool ClientStillThere(const Call& call) const;
  bool ReadRequest(Call& call);
  bool ReplyAndWait(Call& call);
  enum class Written { kYes, kNo, kStopping };
  // Makes the reply mapping holding `reply`, unless the client has gone or
  // the server is stopping.
  Written WriteReply(Call& call, platform::WStringView reply, const std::function<bool()>& client_there);
  // Wakes the call's client, whose call then fails.
  void FailCall(Call& call);
  // Releases ClientSemaphore1 once more, after the client took the unit
  // that said its request was read (or has gone, or the server stops).
  void ReleaseSecondUnit(Call& call);
  // Traces the name of the function run, when a logger is set.
  void LogFunction(const platform::WString& function) const;

  // Derived from the mapping name at Start.
  std::unique_ptr<const RPCChannel::ChannelNames> names_;
  // Kept from Start to the end of the thread, so that a client finds them
  // between calls as well as during one.
  std::unique_ptr<platform::NamedSemaphore> server1_;
  std::unique_ptr<platform::NamedSemaphore> server2_;
};

}  // namespace RPCServer
