// The facades' guard: runs a call and turns any exception that leaves it
// into a fixed result, so that no exception crosses an interface.
#pragma once

#include <cstdint>

namespace TQJSON {

template <typename Call>
std::int32_t Guarded(std::int32_t on_exception, Call&& call) noexcept {
  try {
    return call();
  } catch (...) {
    return on_exception;
  }
}

}  // namespace TQJSON
