// A deployed application in a temporary folder: a copy of the launcher, the
// runtimes and files a test puts there, and a private registry file. Run()
// starts the launcher copy with the test's environment except for
// LD_LIBRARY_PATH (unset unless given), LUMARINE_REGISTRY, and the recording
// runtime's TQVM_RECORD_FILE and TQVM_EXIT_CODE.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace launcher_testing {

struct Outcome {
  int exit_code = -1;  // the exit status; -1 when the launcher did not exit normally
  std::string errors;  // what it wrote to standard error
};

class AppFolder {
 public:
  // Copies the launcher to `executable`, relative to root().
  explicit AppFolder(const std::string& executable = "app/myapp");

  // Canonical, as the launcher sees its own path.
  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

  // Copies a built test runtime to `folder`/libtqvm.so.
  void InstallRuntime(const std::string& folder, const std::string& runtime) const;
  void Write(const std::string& relative, const std::string& bytes) const;
  void WriteRegistry(const std::string& sections) const;

  std::optional<std::string> library_path;  // LD_LIBRARY_PATH
  int runtime_result = 0;                   // what the recording runtime returns

  Outcome Run(const std::vector<std::string>& arguments = {}) const;

  // The recording runtime's "key=value" lines from the last Run(); empty
  // when no entry was called.
  std::map<std::string, std::string> Record() const;

 private:
  lumarine_testing::TempDir temp_;
  std::string root_;
  std::string executable_;
};

}  // namespace launcher_testing
