// A real Kestrun renderer holding one page (browser 1, main frame 10), and
// the requests and RPC calls the browser control makes to it.
#pragma once

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cefshim/host/renderer_process.h"
#include "platform/text_types.h"

namespace Kestrun::testing {

inline constexpr std::int32_t kBrowser = 1;
inline constexpr std::int64_t kMainFrame = 10;

// An identifier no other test of this process uses: a renderer that has
// just ended may hold its channel's objects for a moment.
platform::WString UniqueObjectId();

class KestrunPage {
 public:
  // Starts Kestrun with "--type=renderer" and `arguments` and loads
  // `script` into the main frame as "page.js"; process() is null (and the
  // test failed) when it cannot start.
  explicit KestrunPage(const std::string& script = "", const std::vector<std::string>& arguments = {});

  cefshim::host::RendererProcess* process() const { return process_.get(); }

  // Sends `name` with [1] `text` through `frame`.
  void Send(const char16_t* name, const platform::WString& text, std::int64_t frame = kMainFrame);

  // Sends "SaveWebBrowserObjectID" with `identifier` and waits until the
  // renderer's service under it is up (a failed test when it never comes):
  // a renderer slowed by a sanitizer or a busy machine may take longer to
  // start it than the second a client looks for a server.
  void StartService(const platform::WString& identifier);

  // Evaluates `code` ("eval.js" from line `start_line`) by message:
  // "ok <result JSON>" or "failed <error JSON>", in UTF-8.
  std::string EvaluateAsync(const platform::WString& code, std::int64_t frame = kMainFrame, int start_line = 1);
  // Sends "EvaluateJavascriptRequestSync" without waiting.
  void RequestSync(const platform::WString& code, std::int64_t frame = kMainFrame);

  // The next message named `name` the renderer sent (nullopt, and a failed
  // test, when none comes).
  std::optional<cefshim::host::ReceivedMessage> Next(const CefString& name);

 private:
  std::unique_ptr<cefshim::host::RendererProcess> process_;
};

// "ExecJS" (or `function`) of the renderer's service for `identifier`,
// through a real RPC client: "<code> <reply text>" in UTF-8.
std::string CallExecJs(const platform::WString& identifier, const platform::WString& function = u"ExecJS");

// The same call on a thread of its own, as the control makes it beside its
// request.
class ExecJsCall {
 public:
  explicit ExecJsCall(const platform::WString& identifier);
  ~ExecJsCall();

  // True once the server runs the function for this call.
  bool WaitUntilServed();
  std::string Reply();

 private:
  class Logger;
  std::unique_ptr<Logger> logger_;
  std::future<std::string> reply_;
};

}  // namespace Kestrun::testing
