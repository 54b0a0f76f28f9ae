// Finding the Lumarine runtime library and loading it.
#pragma once

#include <memory>

#include "platform/module.h"
#include "platform/text_types.h"

namespace launcher {

struct LocatedRuntime {
  std::unique_ptr<platform::Module> runtime;  // null when the search failed
  platform::WString error;                    // then the start-up error to show; never empty
};

// The search, in order:
//  1. libtqvm.so beside the executable, when it is a library for this
//     machine: loaded by its full path, and nothing else is tried;
//  2. the executable's XML file: its RuntimePath (absolute, or relative to
//     the executable's folder) goes first on the search path;
//  3. the registry: the lowest supported version when its folder holds the
//     library, else the lowest registered version that sorts above it; its
//     folder goes first on the search path.
// Steps 2 and 3 put the development environment's folder, when the registry
// names one, second on the search path, export the search path as
// LD_LIBRARY_PATH, and load the library by name: the first library for this
// machine of that name in the search path's folders, else the system's
// default search.
// Main thread, once per process: it changes the environment.
LocatedRuntime LocateAndLoadRuntime();

}  // namespace launcher
