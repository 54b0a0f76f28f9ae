// The entry of Kestrun, the browser control's helper process: it chooses the
// application object for the process kind named on the command line and
// runs the process with it. Main thread only.
#pragma once

#include "cef_command_line.h"

namespace Kestrun {

enum ProcessKind : int {
  kBrowserProcess = 0,   // no "type" switch
  kRendererProcess = 1,  // "type" is exactly "renderer"
  kOtherProcess = 3,     // any other "type", the empty one included
};

ProcessKind GetProcessType(CefRefPtr<CefCommandLine> command_line);

// Runs the process and returns its exit code: 0 after the "Browser Process"
// notice when there is no "type" switch, 1 when the renderer's script-result
// slot cannot be created, else the result of CefExecuteProcess.
int RunHelperProcess(int argc, char* argv[]);

}  // namespace Kestrun
