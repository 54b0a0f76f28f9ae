#include "testing/loopback_network.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "platform/files.h"
#include "testing/patience.h"

namespace lumarine_testing {
namespace {

constexpr const char* kScript = LUMARINE_SOURCE_DIR "/testing/loopback/loopback_network.py";

// Reads one line from fd within the time limit; "" on time-out or EOF.
std::string ReadLine(int fd, int timeout_ms) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return "";
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char c;
    if (::read(fd, &c, 1) != 1) return "";
    if (c == '\n') return line;
    line += c;
  }
}

std::map<std::string, int> ParsePorts(const std::string& ready_line) {
  std::map<std::string, int> ports;
  std::istringstream words(ready_line);
  std::string word;
  words >> word;
  if (word != "ready") return ports;
  while (words >> word) {
    const std::size_t eq = word.find('=');
    if (eq != std::string::npos) ports[word.substr(0, eq)] = std::stoi(word.substr(eq + 1));
  }
  return ports;
}

// Sends one HTTP/1.0 GET to 127.0.0.1:port and returns the whole answer;
// "" when the server cannot be reached or does not answer within the
// patience.
std::string Fetch(int port, const std::string& path_and_query) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return "";
  const auto patience = std::chrono::duration_cast<std::chrono::microseconds>(Patience()).count();
  const timeval limit{static_cast<time_t>(patience / 1000000), static_cast<suseconds_t>(patience % 1000000)};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string answer;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    const std::string request = "GET " + path_and_query + " HTTP/1.0\r\n\r\n";
    if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
      char buffer[4096];
      ssize_t got;
      while ((got = ::recv(fd, buffer, sizeof buffer, 0)) > 0) answer.append(buffer, static_cast<std::size_t>(got));
    }
  }
  ::close(fd);
  return answer;
}

}  // namespace

std::unique_ptr<LoopbackNetwork> LoopbackNetwork::Start() {
  std::unique_ptr<LoopbackNetwork> network(new LoopbackNetwork());
  const std::string workdir = network->workdir_.native_path();
  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "loopback network: cannot make pipes";
    return nullptr;
  }
  const std::string patience = std::to_string(std::chrono::duration_cast<std::chrono::seconds>(Patience()).count());
  const char* argv[] = {"python3", kScript, "--workdir", workdir.c_str(), "--patience", patience.c_str(), nullptr};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::execvp(argv[0], const_cast<char* const*>(argv));
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  network->pid_ = pid;
  network->stdin_fd_ = in[1];
  const std::string ready = pid > 0 ? ReadLine(out[0], PatienceMs()) : "";
  ::close(out[0]);
  network->ports_ = ParsePorts(ready);
  if (network->ports_.size() != 5) {
    ADD_FAILURE() << "loopback network did not start (" << kScript << "): '" << ready << "'";
    return nullptr;
  }
  return network;
}

LoopbackNetwork::~LoopbackNetwork() {
  if (stdin_fd_ >= 0) ::close(stdin_fd_);
  if (pid_ <= 0) return;
  for (int i = 0; i < 500; ++i) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

int LoopbackNetwork::Port(const std::string& server) const {
  const auto found = ports_.find(server);
  return found == ports_.end() ? 0 : found->second;
}

std::string LoopbackNetwork::HttpUrl(const std::string& path_and_query) const {
  return "http://127.0.0.1:" + std::to_string(Port("http")) + path_and_query;
}

std::string LoopbackNetwork::HttpsUrl(const std::string& path_and_query) const {
  return "https://127.0.0.1:" + std::to_string(Port("https")) + path_and_query;
}

std::vector<std::string> LoopbackNetwork::Log() const { return Lines(u"requests.log"); }

int LoopbackNetwork::Connections(const std::string& server) const {
  int count = 0;
  for (const std::string& line : Lines(u"connections.log")) {
    count += line.compare(0, server.size() + 1, server + "\t") == 0;
  }
  return count;
}

bool LoopbackNetwork::Release(const std::string& hold) const {
  const std::string answer = Fetch(Port("http"), "/release?hold=" + hold);
  if (answer.compare(0, 13, "HTTP/1.1 200 ") == 0) return true;
  ADD_FAILURE() << "loopback network: release of '" << hold << "' not confirmed: '" << answer << "'";
  return false;
}

std::vector<std::string> LoopbackNetwork::Lines(const std::u16string& log) const {
  std::vector<std::string> lines;
  std::istringstream text(workdir_.Read(log).value_or(""));
  std::string line;
  while (std::getline(text, line)) lines.push_back(line);
  return lines;
}

int LoopbackNetwork::CountLog(const std::string& server, const std::string& fragment) const {
  int count = 0;
  for (const std::string& line : Log()) {
    if (line.compare(0, server.size() + 1, server + "\t") == 0 && line.find(fragment) != std::string::npos) ++count;
  }
  return count;
}

std::string LoopbackNetwork::FileContent(std::uint64_t start, std::uint64_t end, std::uint32_t seed) {
  std::string bytes;
  bytes.reserve(end > start ? end - start : 0);
  for (std::uint64_t i = start; i < end; ++i) {
    const std::uint32_t word = static_cast<std::uint32_t>(i / 4) + seed;
    bytes.push_back(static_cast<char>(word >> (8 * (3 - i % 4))));
  }
  return bytes;
}

}  // namespace lumarine_testing
