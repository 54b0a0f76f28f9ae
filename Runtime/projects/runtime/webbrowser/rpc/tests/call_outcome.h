// What one call gave back, as the tests compare it.
#pragma once

#include <optional>

#include "platform/text_types.h"

namespace rpc_test {

struct Outcome {
  int rc = -1;
  std::optional<platform::WString> result;  // nullopt: the output stayed null
  std::optional<platform::WString> error;
};

}  // namespace rpc_test
