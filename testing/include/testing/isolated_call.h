// Runs a piece of work in a child process of its own, so that a crash or a
// hang of the work fails only that call and is reported as such: the child
// is forked, runs the work, hands its result text back through a pipe and
// exits at once (no destructors, no atexit handlers); the parent waits at
// most `timeout` for it and kills it after that.
//
// Call it from a test process that runs no other threads (fork copies only
// the calling thread). The child must not use GoogleTest's assertions: what
// it has to say goes into the returned text.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace lumarine_testing {

struct IsolatedOutcome {
  // The work returned and the child exited normally; `output` is its text.
  bool completed = false;
  std::string output;
  // Otherwise how the child ended ("killed by signal 11", "exited with
  // code 1", "timed out after 20 s", ...).
  std::string failure;
};

IsolatedOutcome RunIsolated(const std::function<std::string()>& work, std::chrono::seconds timeout);

}  // namespace lumarine_testing
