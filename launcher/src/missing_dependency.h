// Which library that a runtime needs is missing: the message after a failed
// load names it.
#pragma once

#include <optional>

#include "platform/text_types.h"

namespace launcher {

// The first library named as needed by the library file at `library_path`
// that cannot be loaded here. Each is looked for as the dynamic loader looks
// for it: in the library's own RPATH and RUNPATH folders ("$ORIGIN" standing
// for the library's folder), then through the system's default search; a
// candidate counts when it loads (it is unloaded again at once, having run
// its initialisers). nullopt when every one loads or the file cannot be read.
// Main thread: loading libraries is not something to race with.
std::optional<platform::WString> FirstMissingDependency(platform::WStringView library_path);

}  // namespace launcher
