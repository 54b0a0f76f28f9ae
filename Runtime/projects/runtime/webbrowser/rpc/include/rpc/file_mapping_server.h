// CFileMappingServerImp: an RPC server over named file mappings and named
// semaphores. Each call: wait for ServerSemaphore1, read and consume the
// request mapping, signal ClientSemaphore1, run the function, write the
// reply mapping, signal ClientSemaphore2, wait for ServerSemaphore2.
//
// Beyond the bare channel: a client that dies or gives up ends only its own
// call (the server notices through its semaphores and its request, and
// serves the next call; a late reply never takes the place of a later
// caller's request); a function that throws fails its call; a stop wakes
// every wait and fails a call in progress at once.
#pragma once

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
  // Holds the semaphores of the client whose call this is; false when it has gone.
  bool AttachClient();
  bool ReadRequest(Call& call);
  bool ReplyAndWait(Call& call);
  void FailCall(const Call& call);

  // Derived from the mapping name at Start.
  std::unique_ptr<const RPCChannel::ChannelNames> names_;
  // Kept from Start to the end of the thread, so that a client finds them
  // between calls as well as during one.
  std::unique_ptr<platform::NamedSemaphore> server1_;
  std::unique_ptr<platform::NamedSemaphore> server2_;
  // The client's, from one call to the next while their names still refer
  // to them (service thread only).
  std::unique_ptr<platform::NamedSemaphore> client1_;
  std::unique_ptr<platform::NamedSemaphore> client2_;
};

}  // namespace RPCServer
