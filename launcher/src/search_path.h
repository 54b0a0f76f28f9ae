// The process's library search path: the folders searched, in order, for a
// library loaded by name, and their export to child processes as
// LD_LIBRARY_PATH.
//
// The dynamic loader reads LD_LIBRARY_PATH only when a process starts, so
// setting it changes nothing for this process's own loads: the launcher walks
// these folders itself (see RuntimeLoader) and exports them for the runtime's
// children. A value type; any thread.
#pragma once

#include <vector>

#include "platform/text_types.h"

namespace launcher {

class SearchPath {
 public:
  // The folders of an LD_LIBRARY_PATH value, split at ":" and ";" as the
  // dynamic loader splits it. Empty elements (which would mean the current
  // folder) are dropped.
  static SearchPath Parse(platform::WStringView value);

  // The current LD_LIBRARY_PATH of this process; empty when it is unset.
  static SearchPath FromEnvironment();

  // Puts `folder` first. An empty folder is ignored.
  void Prepend(platform::WStringView folder);

  const std::vector<platform::WString>& folders() const { return folders_; }

  // The folders joined with ":". A folder whose name holds ":" or ";" cannot
  // be written into the variable and is left out of it.
  platform::WString ToVariable() const;

  // Sets LD_LIBRARY_PATH to ToVariable() (unset when that is empty). A
  // failure (out of memory) leaves the variable as it was; the launcher's own
  // search does not depend on it.
  void Export() const;

 private:
  std::vector<platform::WString> folders_;
};

}  // namespace launcher
