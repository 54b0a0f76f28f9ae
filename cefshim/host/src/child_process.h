// ChildProcess: one started program, its exit status and its end.
// Thread safety: Wait and Kill may be called from any thread.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cefshim/host/renderer_process.h"
#include "wire/unique_fd.h"

namespace cefshim::host {

class ChildProcess {
 public:
  // Starts `executable` with `arguments`. The descriptor `inherited_fd` stays
  // open in the child (every other descriptor this library opens does not);
  // the child's standard output and error go to `output_fd`. The child gets
  // SIGKILL when the calling thread ends. Null, with the reason in `error`,
  // when the program cannot be started.
  static std::unique_ptr<ChildProcess> Spawn(const std::string& executable, const std::vector<std::string>& arguments,
                                             int inherited_fd, int output_fd, std::string* error);

  // Kills the child if it still runs, and reaps it.
  ~ChildProcess();

  pid_t pid() const { return pid_; }
  // The exit status once the child has ended (and been reaped); nullopt
  // when `timeout` passes first.
  std::optional<ExitStatus> Wait(std::chrono::milliseconds timeout);
  // Sends SIGKILL unless the child has been reaped.
  void Kill();

 private:
  ChildProcess(pid_t pid, wire::UniqueFd pidfd) : pid_(pid), pidfd_(std::move(pidfd)) {}

  const pid_t pid_;
  const wire::UniqueFd pidfd_;  // readable once the child has ended
  std::mutex mutex_;
  std::optional<ExitStatus> status_;
};

}  // namespace cefshim::host
