// RendererProcess: the browser side of one cefshim renderer. It starts the
// renderer executable as a child process connected by a socket pair, sends it
// control frames and process messages, collects the messages it sends back
// and what it writes on standard output and error, and reads its exit status.
//
// The child is started with "--cefshim-ipc-fd=N" after the given arguments
// and is killed (SIGKILL) when the thread that started it ends, as well as
// when its connection closes; start renderers from a thread that outlives
// them. Destroying the object closes the connection, waits up to ten seconds
// for the child to exit, then kills it; no child outlives its object.
//
// Thread safety: every method may be called from any thread.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cef_process_message.h"
#include "cef_string.h"

namespace cefshim::host {

// How a child process ended.
struct ExitStatus {
  bool exited = false;  // true: ended by exit with `code`; false: killed by `signal`
  int code = 0;         // 0 to 255
  int signal = 0;
};

// A process message the renderer sent, with the ids of the frame it came by.
struct ReceivedMessage {
  std::int32_t browser_id = 0;
  std::int64_t frame_id = 0;
  CefRefPtr<CefProcessMessage> message;
};

class RendererProcess {
 public:
  // Starts `executable` with `arguments` (those after the program name; e.g.
  // "--type=renderer"). Null, with the reason in `error`, when the program
  // cannot be started.
  static std::unique_ptr<RendererProcess> Start(const std::string& executable,
                                                const std::vector<std::string>& arguments, std::string* error);

  ~RendererProcess();
  RendererProcess(const RendererProcess&) = delete;
  RendererProcess& operator=(const RendererProcess&) = delete;

  pid_t pid() const;

  // Control frames and process messages, in the order sent. Each returns
  // false when the frame could not be written: the connection is closed, or
  // the message cannot travel (nested too deeply, too long).
  bool CreateBrowser(std::int32_t browser_id, std::int64_t main_frame_id);
  // Loads a page into a frame (made when new; a sub-frame unless `is_main`):
  // a new script context, then `script` runs in it, named by `url`.
  bool LoadPage(std::int32_t browser_id, std::int64_t frame_id, bool is_main, const CefString& url,
                const CefString& script);
  bool DetachFrame(std::int32_t browser_id, std::int64_t frame_id);
  bool DestroyBrowser(std::int32_t browser_id);
  bool SendProcessMessage(std::int32_t browser_id, std::int64_t frame_id, CefRefPtr<CefProcessMessage> message);
  // Writes `bytes` as they stand; for tests of malformed input.
  bool SendBytes(const std::vector<std::uint8_t>& bytes);

  // Takes the first message named `name` that the renderer has sent (or
  // sends within `timeout`), leaving other messages queued in order. Nullopt
  // on time-out, or when the connection ends without such a message.
  std::optional<ReceivedMessage> WaitForMessage(const CefString& name, std::chrono::milliseconds timeout);

  // Ends the connection from this side: the renderer reads the end of its
  // input after the frames already sent. Messages it still sends are kept.
  void CloseConnection();
  // Hangs up both ways, as a host that closes its socket or dies: the
  // renderer can neither read nor send any more, and what it has sent but
  // this side has not read yet is lost.
  void Disconnect();

  // The child's exit status once it has ended; nullopt on time-out. When it
  // returns a status, Output() holds all the child wrote (unless a program
  // the child started still holds its output open past the time-out).
  std::optional<ExitStatus> WaitForExit(std::chrono::milliseconds timeout);

  // Everything the child has written to standard output and error so far.
  std::string Output() const;
  // True once the output contains `text`; false when `timeout` passes or the
  // output ends first.
  bool WaitForOutput(std::string_view text, std::chrono::milliseconds timeout);

 private:
  class Impl;
  explicit RendererProcess(std::unique_ptr<Impl> impl);

  std::unique_ptr<Impl> impl_;
};

}  // namespace cefshim::host
