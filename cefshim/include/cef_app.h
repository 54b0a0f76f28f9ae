// CefApp and the process entry of a cefshim child process.
#pragma once

#include "cef_base.h"
#include "cef_main_args.h"
#include "cef_render_process_handler.h"

// The application object a child process hands to CefExecuteProcess.
class CefApp : public virtual CefBaseRefCounted {
 public:
  // The renderer's handler; null (the default) when the application has none.
  virtual CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() { return nullptr; }
};

// Runs a child process for the browser process. Without a "type" switch the
// process is the browser process itself: returns -1 at once. Otherwise the
// child serves the connection named by "--cefshim-ipc-fd=N" (its end of a
// connected stream socket): the main thread reads the browser's frames and
// one render thread runs every handler and every page script in order (on
// one SpiderMonkey runtime), until the browser closes the connection or sends
// a frame that cannot be read; then it returns 0. The child is killed when
// the process that started it dies. A missing or
// unusable connection is reported on standard error and gives 1.
// `application` may be null; `windows_sandbox_info` is not used.
// Call once, from the main thread.
int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application, void* windows_sandbox_info);

// Enables high-DPI support. There is nothing to enable on Linux; kept so that
// entry code reads as it does elsewhere.
void CefEnableHighDPISupport();
