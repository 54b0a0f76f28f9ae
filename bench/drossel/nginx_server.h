// An nginx serving one folder on a free port of 127.0.0.1, for the
// download benchmark: started with a configuration of its own, stopped
// when the object is destroyed.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

class NginxServer {
 public:
  // Null, with the reason in *error, when nginx is missing or does not
  // start.
  static std::unique_ptr<NginxServer> Start(const std::string& docroot, const std::string& workdir,
                                            std::string* error);
  ~NginxServer();

  int port() const { return port_; }

 private:
  NginxServer() = default;

  pid_t pid_ = -1;
  int port_ = 0;
};
