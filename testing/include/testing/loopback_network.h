// The loopback test network (testing/loopback/loopback_network.py) for one
// test: HTTP and HTTPS file servers, an HTTP proxy with CONNECT, SOCKS4/4A
// and SOCKS5 proxies, each on a free port of 127.0.0.1. The proxies reach
// only 127.0.0.1 whatever host they are asked for, so names such as
// "files.test" work through a proxy and nowhere else. Every server logs the
// requests it was asked; the script's header lists the file servers' query
// parameters (sizes, ranges, chunked replies, stalls, holds, trickles,
// cut-off and overlong bodies, Date variants, statuses, redirects).
//
// The network stops when the object is destroyed, and by itself when the
// test process dies. A start failure fails the current test.
// Thread safety: const members may be called from any thread.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace lumarine_testing {

class LoopbackNetwork {
 public:
  // Null (and a failed test) when the network could not be started.
  static std::unique_ptr<LoopbackNetwork> Start();
  ~LoopbackNetwork();
  LoopbackNetwork(const LoopbackNetwork&) = delete;
  LoopbackNetwork& operator=(const LoopbackNetwork&) = delete;

  // Ports by server name: "http", "https", "http_proxy", "socks4", "socks5".
  int Port(const std::string& server) const;

  // "http://127.0.0.1:<http port>" + path_and_query, likewise for https.
  std::string HttpUrl(const std::string& path_and_query) const;
  std::string HttpsUrl(const std::string& path_and_query) const;

  // The request log so far, one "<server>\t<request>" line each.
  std::vector<std::string> Log() const;
  // Number of log lines of that server containing `fragment`.
  int CountLog(const std::string& server, const std::string& fragment) const;
  // Connections accepted so far by a file server ("http" or "https"); each
  // is logged before its first request is answered.
  int Connections(const std::string& server) const;

  // Lets every body held with [hold=name] go on, also those held later.
  // False (and a failed test) when the network did not confirm it.
  bool Release(const std::string& hold) const;

  // Bytes [start, end) of the file that /files/ serves with this seed.
  static std::string FileContent(std::uint64_t start, std::uint64_t end, std::uint32_t seed = 0);

 private:
  LoopbackNetwork() = default;
  // The lines of one of the network's logs in the work folder.
  std::vector<std::string> Lines(const std::u16string& log) const;

  TempDir workdir_;
  pid_t pid_ = -1;
  int stdin_fd_ = -1;
  std::map<std::string, int> ports_;
};

}  // namespace lumarine_testing
