// The launcher's start-up, as the process entry runs it.
#pragma once

#include "platform/text_types.h"

namespace launcher {

// Finds and loads the runtime (LocateAndLoadRuntime), looks up its debug
// entry when `command_tail` holds the debug token (case-sensitive) and its
// normal entry otherwise, calls it with `instance`, `previous_instance`,
// `command_tail`, `show_window`, 1000 and 0, unloads the runtime and returns
// the entry's result. When the search fails it shows the error in a message
// box titled "Error" and returns 0; when the entry is missing it returns -1.
// Main thread, once per process.
int wWinMain(void* instance, void* previous_instance, const platform::WString& command_tail, int show_window);

}  // namespace launcher
