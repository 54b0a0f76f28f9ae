// A real Kestrun renderer holding one page, for the script tests: browser 1
// with main frame 10, the page's script loaded into it, and the requests
// and RPC calls the browser control makes.
#pragma once

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cefshim/host/renderer_process.h"
#include "platform/message_pump.h"
#include "platform/text_types.h"

namespace Kestrun::testing {

inline constexpr std::int32_t kBrowser = 1;
inline constexpr std::int64_t kMainFrame = 10;

// What an evaluation answered: the success flag and the JSON text (the
// result, or the error object), in UTF-8.
struct Answer {
  bool success = false;
  std::string json;
};
bool operator==(const Answer& a, const Answer& b);
std::ostream& operator<<(std::ostream& out, const Answer& answer);

class KestrunPage {
 public:
  // Starts Kestrun ("--type=renderer" and `arguments`), creates the browser
  // and loads `script` into its main frame as "page.js". A failure fails
  // the test (process() is then null).
  explicit KestrunPage(const std::string& script = "", const std::vector<std::string>& arguments = {});

  cefshim::host::RendererProcess* process() const { return process_.get(); }

  // "SaveWebBrowserObjectID" with `identifier`.
  void SaveObjectId(const platform::WString& identifier);

  // "EvaluateJavascriptRequestAsync" for `code` (named "eval.js", from line
  // `start_line`) in `frame`; then waits for its answer.
  Answer EvaluateAsync(const platform::WString& code, std::int64_t frame = kMainFrame, int start_line = 1);
  // Sends "EvaluateJavascriptRequestSync" without waiting.
  void RequestSync(const platform::WString& code, std::int64_t frame = kMainFrame);

  // The next message named `name` that the renderer sent.
  CefRefPtr<CefProcessMessage> NextMessage(const CefString& name);

 private:
  std::unique_ptr<cefshim::host::RendererProcess> process_;
};

// A WebBrowser object identifier that no other test of this process uses:
// a renderer that has just ended may still hold its channel's objects for
// a moment.
platform::WString UniqueObjectId();

// A call of a function of the renderer's "ExecJS" service for the object
// `identifier`, through a real RPC client: "<code> <text>" where the text is
// the result, else the error text (empty when the reply was empty), in
// UTF-8.
std::string CallExecJs(const platform::WString& identifier, const platform::WString& function = u"ExecJS");

// The same call on a thread of its own, as a control makes it while it
// sends its request. `pump`, when given, is pumped by that thread while the
// call waits.
class ExecJsCall {
 public:
  explicit ExecJsCall(const platform::WString& identifier, platform::MessagePump* pump = nullptr);
  ~ExecJsCall();  // waits for the call to end
  ExecJsCall(const ExecJsCall&) = delete;
  ExecJsCall& operator=(const ExecJsCall&) = delete;

  // True once the server has taken the request (its function runs or has
  // run); false when the call ended without it or kPatience passed.
  bool WaitUntilServed();
  // The reply, as CallExecJs gives it; waits for the call to end.
  std::string Reply();

 private:
  class Logger;
  std::unique_ptr<Logger> logger_;
  std::future<std::string> reply_;
};

}  // namespace Kestrun::testing
