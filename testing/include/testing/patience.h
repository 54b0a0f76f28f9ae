// How long a test waits for something that should happen: a reply, a
// signal, a process's exit. The budget is there only to turn a hang into a
// failure that names the step waited for, never to fail a slow run: it is
// generous on a plain build on a busy machine, and grows with the build's
// slowdown, since the sanitizers run the same code 5 to 20 times slower
// (the build sets LUMARINE_TEST_SLOWDOWN from LUMARINE_SANITIZE, and scales
// each suite's CTest time-out by the same factor). A wait that runs out
// says which step it waited for.
//
// Any thread.
#pragma once

#include <chrono>

namespace lumarine_testing {

// How many times slower than a plain build this build runs the tests.
int BuildSlowdown();

// The budget of one wait: one minute on a plain build, times
// BuildSlowdown().
std::chrono::milliseconds Patience();

// Patience() in whole milliseconds, for waits that take an int.
int PatienceMs();

}  // namespace lumarine_testing
