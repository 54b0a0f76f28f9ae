// Sets or removes an environment variable for the life of the object and
// restores the previous state (value or absence) when it is destroyed.
// Like setenv, it must not race with other threads' environment access:
// use it only on the test's main thread, before starting threads.
#pragma once

#include <optional>
#include <string>

namespace lumarine_testing {

class ScopedEnv {
 public:
  // nullopt removes the variable.
  ScopedEnv(std::string name, const std::optional<std::string>& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace lumarine_testing
