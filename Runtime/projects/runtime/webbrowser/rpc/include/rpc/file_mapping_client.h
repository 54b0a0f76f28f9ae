// CFileMappingClient: an RPC client over named file mappings and named
// semaphores. Each call: make ClientSemaphore1 and 2, write the request
// mapping, signal ServerSemaphore1, wait for ClientSemaphore1, wait for
// ClientSemaphore2, read the reply mapping, signal ServerSemaphore2. Every
// handle of the channel lives for one call, as the channel's description
// has it, so the client works with any server that follows the channel.
//
// Beyond the bare channel: calls of all clients of one channel are served
// one after another (a named mutex of the mapping name, released even when
// its holder is killed); the request mapping gives up its name to the
// server's open, so that the server's reply, made under the same name with
// create-or-open, is a new mapping of its own size whether or not this
// client has closed its request yet; a reply that cannot be read fails the
// call but still ends the server's round (ServerSemaphore2 is released), so
// that a server waiting for it serves the next call; a call fails instead
// of waiting for ever once no server holds ServerSemaphore1 any more (every
// server holds it while it serves), except that a request the server had
// not read yet goes once more to the server of the name (a restarted one);
// a second unit of ClientSemaphore1, found as the reply is signalled, is
// this project's server saying that the call failed, and the call ends
// without opening what lies under the name (it may be another client's
// request) and without ending a round the server has ended already; an
// exception fails the call. Reading the reply costs what its text costs,
// however large the mapping the server made, and a reply that no zero ends
// is refused without being copied.
#pragma once

#include <memory>
#include <optional>

#include "platform/file_mapping.h"
#include "platform/named_mutex.h"
#include "platform/text_types.h"
#include "platform/wait.h"
#include "rpc/rpc_client.h"

namespace RPCChannel {
struct ChannelNames;
}

namespace RPCClient {

class CFileMappingClient final : public IRPCClient {
 public:
  CFileMappingClient();
  ~CFileMappingClient() override;

  void SetLogger(IRPCLogger* logger, platform::MessagePump* window) override;
  int Connect(const platform::WChar* mappingName, int value) override;
  void Disconnect() override;
  int Call(const platform::WChar* function, const platform::WChar* parameters, const platform::WChar** result,
           const platform::WChar** error) override;

 private:
  struct Exchange;
  enum class Delivery {
    kRead,        // the server has read the request
    kServerGone,  // the server went before it had read it
    kFailed,
  };

  // The reply mapping, and its text (none when it could not be opened or
  // read, or when no zero ends it).
  struct Reply {
    std::unique_ptr<platform::FileMapping> mapping;
    std::optional<platform::WString> text;
  };

  // The call sequence; 0 when the server answered (`kept` then points to
  // the client's text of the reply, or null for an empty one).
  int CallServer(platform::WStringView function, platform::WStringView parameters, const platform::WString** kept);
  bool MakeClientSemaphores(Exchange& exchange);
  // True (traced) when the server, woken for the reply, has said that the
  // call failed.
  bool ServerFailedCall(Exchange& exchange);
  // Writes the request, signals the server and waits until it has read it.
  Delivery Deliver(Exchange& exchange, platform::WStringView function, platform::WStringView parameters);
  bool SendRequest(Exchange& exchange, platform::WStringView function, platform::WStringView parameters);
  // Opens the server's semaphores; false when no server serves the name.
  bool FindServer(Exchange& exchange);
  Reply OpenReply();
  // Makes a non-empty reply the client's text of its kind.
  const platform::WString* Keep(platform::WString reply);
  // Waits for one of the client's semaphores while a server holds
  // ServerSemaphore1, pumping when a window is set: kSignaled, or how the
  // wait ended.
  platform::WaitResult WaitForServer(const Exchange& exchange, platform::Waitable& semaphore);
  void PumpWindowMessages();
  void Log(const platform::WChar* text) const;

  IRPCLogger* logger_ = nullptr;
  platform::MessagePump* window_ = nullptr;
  platform::MessagePump* connected_window_ = nullptr;  // window_ as Connect found it
  bool connected_ = false;
  platform::WString mapping_name_;
  std::unique_ptr<const RPCChannel::ChannelNames> names_;  // derived from mapping_name_
  int connect_value_ = 0;
  std::unique_ptr<platform::NamedMutex> channel_lock_;  // made by the first call
  platform::WString result_text_;
  platform::WString error_text_;
};

}  // namespace RPCClient
