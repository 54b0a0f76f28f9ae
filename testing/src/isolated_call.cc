#include "testing/isolated_call.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

namespace lumarine_testing {
namespace {

void WriteAll(int fd, const std::string& text) {
  for (std::size_t written = 0; written < text.size();) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    written += static_cast<std::size_t>(n);
  }
}

[[noreturn]] void RunChild(const std::function<std::string()>& work, int fd) {
  std::string output;
  try {
    output = work();
  } catch (const std::exception& e) {
    output = std::string("exception: ") + e.what();
  } catch (...) {
    output = "exception";
  }
  WriteAll(fd, output);
  ::_exit(0);
}

// Reads the child's text until it closes the pipe; false when the deadline
// passes first.
bool ReadUntilClosed(int fd, std::chrono::steady_clock::time_point deadline, std::string* text) {
  char buffer[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd readable{fd, POLLIN, 0};
    const int ready = ::poll(&readable, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t n = ::read(fd, buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return true;
    text->append(buffer, static_cast<std::size_t>(n));
  }
}

std::string DescribeEnd(int status) {
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0) return "exited with code " + std::to_string(WEXITSTATUS(status));
  return "";
}

}  // namespace

IsolatedOutcome RunIsolated(const std::function<std::string()>& work, std::chrono::seconds timeout) {
  IsolatedOutcome outcome;
  int fds[2];
  if (::pipe(fds) != 0) {
    outcome.failure = "no pipe";
    return outcome;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(fds[0]);
    RunChild(work, fds[1]);
  }
  ::close(fds[1]);
  if (child < 0) {
    ::close(fds[0]);
    outcome.failure = "no child process";
    return outcome;
  }
  const bool closed = ReadUntilClosed(fds[0], std::chrono::steady_clock::now() + timeout, &outcome.output);
  ::close(fds[0]);
  if (!closed) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  outcome.failure = closed ? DescribeEnd(status) : "timed out after " + std::to_string(timeout.count()) + " s";
  outcome.completed = outcome.failure.empty();
  return outcome;
}

}  // namespace lumarine_testing
