// A server of the channel written step for step from its description
// (steps R1 to R10), on the platform's named objects, as a program outside
// this project would serve: every round creates ServerSemaphore1 and 2
// with create-or-open, opens the request and the client's semaphores by
// name, makes the reply mapping with create-or-open at its exact size and
// writes it through a view, waits without limit, and closes every handle
// at R9. It goes from step to step without a pause (from R4 through the
// function straight to R6, say). A request or reply mapping that cannot be
// had ends it, as the description says.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>

#include "platform/text_types.h"
#include "rpc/rpc_fun_delegate.h"
#include "rpc/rpc_logger.h"

namespace rpc_test::reference {

class Server {
 public:
  // Writes the reply text into the reply mapping's view (the description:
  // the characters, without a terminator). False when it does not fit.
  using ReplyWriter = std::function<bool(void* view, std::size_t size, platform::WStringView text)>;

  // `logger` (not owned, may be null) receives the trace lines of each step.
  explicit Server(platform::WString mapping_name, IRPCLogger* logger = nullptr);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Before Serve: serves `delegate` (owned) under `name`.
  void RegisterFunction(const platform::WChar* name, IRPCFunDelegate* delegate);
  // Before Serve: how the reply is written (a test may break the channel).
  void set_reply_writer(ReplyWriter writer) { write_reply_ = std::move(writer); }
  // Before Serve: the size in bytes of every reply mapping this server
  // makes, as a peer may choose it; 0 (the default) for the description's
  // exact size.
  void set_reply_mapping_bytes(std::size_t bytes) { reply_mapping_bytes_ = bytes; }

  // Serves round after round on the calling thread. Returns when a round
  // ends as failed, or when the thread is a StoppableThread asked to stop.
  void Serve();

 private:
  struct Round;
  bool ServeRound(Round& round);
  bool ReadRequest(Round& round);
  bool WriteReply(Round& round);
  void EndAsFailed(Round& round);
  platform::WString Run(const platform::WString& function, const platform::WString& parameters);
  void Log(const platform::WChar* text) const;

  const platform::WString mapping_name_;
  IRPCLogger* const logger_;
  std::map<platform::WString, std::unique_ptr<IRPCFunDelegate>> functions_;
  ReplyWriter write_reply_;
  std::size_t reply_mapping_bytes_ = 0;
};

// The description's way of writing a reply: its characters, no terminator.
bool CopyCharacters(void* view, std::size_t size, platform::WStringView text);

}  // namespace rpc_test::reference
