#include "nginx_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace {

constexpr const char* kNginx = "/usr/sbin/nginx";

// A port that was free a moment ago.
int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

bool Accepts(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return ok;
}

void WriteConfig(const std::string& path, const std::string& docroot, const std::string& workdir, int port) {
  std::ofstream conf(path);
  if (::geteuid() == 0) conf << "user root;\n";  // the workers read a private folder
  conf << "worker_processes 1;\ndaemon off;\nerror_log " << workdir << "/error.log;\npid " << workdir
       << "/nginx.pid;\nevents { worker_connections 1024; }\nhttp {\n  access_log off;\n  sendfile on;\n"
       << "  keepalive_requests 100000;\n";
  for (const char* temp : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"}) {
    conf << "  " << temp << "_temp_path " << workdir << "/" << temp << ";\n";
  }
  conf << "  server { listen 127.0.0.1:" << port << "; root " << docroot << "; }\n}\n";
}

}  // namespace

std::unique_ptr<NginxServer> NginxServer::Start(const std::string& docroot, const std::string& workdir,
                                                std::string* error) {
  if (::access(kNginx, X_OK) != 0) {
    *error = std::string(kNginx) + " is missing (make bench installs nginx-light)";
    return nullptr;
  }
  std::unique_ptr<NginxServer> server(new NginxServer());
  server->port_ = FreePort();
  const std::string conf = workdir + "/nginx.conf";
  WriteConfig(conf, docroot, workdir, server->port_);
  const char* argv[] = {kNginx, "-p", workdir.c_str(), "-c", conf.c_str(), nullptr};
  if (::posix_spawn(&server->pid_, kNginx, nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) {
    *error = "cannot start nginx";
    return nullptr;
  }
  for (int i = 0; i < 500; ++i) {
    if (Accepts(server->port_)) return server;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  *error = "nginx did not start; see " + workdir + "/error.log";
  return nullptr;
}

NginxServer::~NginxServer() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}
