#include "testing/patience.h"

namespace lumarine_testing {

int BuildSlowdown() { return LUMARINE_TEST_SLOWDOWN; }

std::chrono::milliseconds Patience() { return std::chrono::minutes(1) * BuildSlowdown(); }

int PatienceMs() { return static_cast<int>(Patience().count()); }

}  // namespace lumarine_testing
