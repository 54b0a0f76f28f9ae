#include "peer_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace rpc_test {

PeerProcess::PeerProcess(const std::vector<std::string>& args) {
  int input[2];
  int output[2];
  if (::pipe2(input, O_CLOEXEC) != 0) return;
  if (::pipe2(output, O_CLOEXEC) != 0) {
    ::close(input[0]);
    ::close(input[1]);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], 0);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  std::vector<std::string> all{RPC_TEST_PEER};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, RPC_TEST_PEER, &actions, nullptr, argv.data(), environ) == 0) pid_ = pid;
  posix_spawn_file_actions_destroy(&actions);
  ::close(input[0]);
  ::close(output[1]);
  to_peer_ = input[1];
  from_peer_ = output[0];
}

PeerProcess::~PeerProcess() {
  if (pid_ > 0 && !status_) {
    Kill();
    Wait();
  }
  CloseInput();
  if (from_peer_ >= 0) ::close(from_peer_);
}

std::optional<std::string> PeerProcess::ReadLine(int timeout_ms) {
  for (;;) {
    const std::size_t newline = pending_.find('\n');
    if (newline != std::string::npos) {
      std::string line = pending_.substr(0, newline);
      pending_.erase(0, newline + 1);
      return line;
    }
    if (from_peer_ < 0) return std::nullopt;
    pollfd ready{from_peer_, POLLIN, 0};
    const int polled = ::poll(&ready, 1, timeout_ms);
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return std::nullopt;
    char buffer[4096];
    const ssize_t n = ::read(from_peer_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

bool PeerProcess::WaitForLine(const std::string& line, int timeout_ms) {
  for (;;) {
    const auto next = ReadLine(timeout_ms);
    if (!next) return false;
    if (*next == line) return true;
  }
}

void PeerProcess::CloseInput() {
  if (to_peer_ >= 0) ::close(to_peer_);
  to_peer_ = -1;
}

int PeerProcess::Wait() {
  if (status_) return *status_;
  if (pid_ <= 0) return -1;
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return *status_;
}

void PeerProcess::Kill() {
  if (pid_ > 0 && !status_) ::kill(pid_, SIGKILL);
}

}  // namespace rpc_test
