// A test peer in its own process: the rpc_test_peer helper started with
// arguments, its standard input and output connected to the test. The
// helper prints one line per event ("ready", "rc=0", ...) and ends when its
// input closes. Destroying the object kills a peer still running.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "testing/patience.h"

namespace rpc_test {

class PeerProcess {
 public:
  explicit PeerProcess(const std::vector<std::string>& args);
  ~PeerProcess();
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  bool started() const { return pid_ > 0; }

  // The next line the peer prints, without its newline; nullopt at its end
  // of output or after `timeout_ms` (by default the test's patience).
  std::optional<std::string> ReadLine(int timeout_ms = lumarine_testing::PatienceMs());

  // Reads lines until one equals `line`; false when output ends first.
  bool WaitForLine(const std::string& line, int timeout_ms = lumarine_testing::PatienceMs());

  // Closes the peer's input: a peer that holds something lets go and ends.
  void CloseInput();

  // Waits for the end: the exit code, or 128 + the signal that ended it.
  int Wait();

  void Kill();

 private:
  pid_t pid_ = -1;
  int to_peer_ = -1;
  int from_peer_ = -1;
  std::string pending_;
  std::optional<int> status_;
};

}  // namespace rpc_test
