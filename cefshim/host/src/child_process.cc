#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace cefshim::host {
namespace {

// In the forked child: only async-signal-safe calls until exec. On failure
// the errno is written to `report_fd` and the child exits with 127.
[[noreturn]] void ExecChild(const char* path, char* const* argv, int inherited_fd, int output_fd, int report_fd,
                            pid_t parent) {
  if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent) ::_exit(127);
  if (::dup2(output_fd, STDOUT_FILENO) < 0 || ::dup2(output_fd, STDERR_FILENO) < 0 ||
      ::fcntl(inherited_fd, F_SETFD, 0) != 0) {
    const int error = errno;
    (void)!::write(report_fd, &error, sizeof error);
    ::_exit(127);
  }
  ::execv(path, argv);
  const int error = errno;
  (void)!::write(report_fd, &error, sizeof error);
  ::_exit(127);
}

ExitStatus StatusOf(int wait_status) {
  ExitStatus status;
  status.exited = WIFEXITED(wait_status);
  status.code = status.exited ? WEXITSTATUS(wait_status) : 0;
  status.signal = WIFSIGNALED(wait_status) ? WTERMSIG(wait_status) : 0;
  return status;
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Spawn(const std::string& executable,
                                                  const std::vector<std::string>& arguments, int inherited_fd,
                                                  int output_fd, std::string* error) {
  std::vector<std::string> strings{executable};
  strings.insert(strings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : strings) argv.push_back(text.data());
  argv.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    *error = std::string("pipe: ") + std::strerror(errno);
    return nullptr;
  }
  wire::UniqueFd report_read(report[0]);
  wire::UniqueFd report_write(report[1]);
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) {
    *error = std::string("fork: ") + std::strerror(errno);
    return nullptr;
  }
  if (pid == 0) ExecChild(executable.c_str(), argv.data(), inherited_fd, output_fd, report[1], parent);

  report_write.reset();
  wire::UniqueFd pidfd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
  if (!pidfd) {
    *error = std::string("pidfd_open: ") + std::strerror(errno);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return nullptr;
  }
  std::unique_ptr<ChildProcess> child(new ChildProcess(pid, std::move(pidfd)));
  int child_errno = 0;
  ssize_t got;
  do {
    got = ::read(report_read.get(), &child_errno, sizeof child_errno);
  } while (got < 0 && errno == EINTR);
  if (got > 0) {
    *error = "cannot run " + executable + ": " + std::strerror(child_errno);
    return nullptr;
  }
  return child;
}

ChildProcess::~ChildProcess() {
  if (Wait(std::chrono::milliseconds(0))) return;
  Kill();
  Wait(std::chrono::milliseconds(-1));
}

std::optional<ExitStatus> ChildProcess::Wait(std::chrono::milliseconds timeout) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (status_) return status_;
  }
  pollfd ended{pidfd_.get(), POLLIN, 0};
  int polled;
  do {
    polled = ::poll(&ended, 1, static_cast<int>(timeout.count()));
  } while (polled < 0 && errno == EINTR);
  if (polled <= 0) return std::nullopt;
  std::lock_guard<std::mutex> lock(mutex_);
  int wait_status = 0;
  if (!status_ && ::waitpid(pid_, &wait_status, WNOHANG) == pid_) status_ = StatusOf(wait_status);
  return status_;
}

void ChildProcess::Kill() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!status_) ::kill(pid_, SIGKILL);
}

}  // namespace cefshim::host
