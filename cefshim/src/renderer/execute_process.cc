// The entry of a cefshim child process: CefExecuteProcess.
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <exception>
#include <string>

#include "cef_app.h"
#include "cef_command_line.h"
#include "renderer/render_loop.h"
#include "renderer/trace.h"
#include "script/script_engine.h"
#include "wire/switches.h"

namespace {

// The descriptor named by --cefshim-ipc-fd when it is a connected stream
// socket; -1 otherwise, with the reason in `error`.
int ConnectionFromSwitch(CefCommandLine& command_line, std::string* error) {
  const std::string text = command_line.GetSwitchValue(cefshim::wire::kIpcFdSwitch).ToString();
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
    *error = "no usable --" + std::string(cefshim::wire::kIpcFdSwitch) + "=N switch";
    return -1;
  }
  const int fd = std::stoi(text);
  struct stat status;
  int type = 0;
  socklen_t type_size = sizeof type;
  if (::fstat(fd, &status) != 0 || !S_ISSOCK(status.st_mode) ||
      ::getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &type_size) != 0 || type != SOCK_STREAM) {
    *error = "descriptor " + text + " is not a stream socket";
    return -1;
  }
  // Programs this process starts must not hold the connection open.
  ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
  return fd;
}

}  // namespace

int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application, void* /*windows_sandbox_info*/) {
  CefRefPtr<CefCommandLine> command_line = CefCommandLine::CreateCommandLine();
  command_line->InitFromArgv(args.argc, args.argv);
  if (!command_line->HasSwitch("type")) return -1;
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  std::string error;
  const int fd = ConnectionFromSwitch(*command_line, &error);
  if (fd < 0) {
    cefshim::Trace::Error(error);
    return 1;
  }
  try {
    const cefshim::Trace trace(command_line->HasSwitch(cefshim::wire::kTraceSwitch));
    RunRenderLoop(fd, application ? application->GetRenderProcessHandler() : nullptr, trace);
    cefshim::script::ScriptEngine::ShutDownProcess();
  } catch (const std::exception& e) {
    cefshim::Trace::Error(std::string("the render loop failed: ") + e.what());
    ::close(fd);
    return 1;
  }
  ::close(fd);
  return 0;
}

void CefEnableHighDPISupport() {}
