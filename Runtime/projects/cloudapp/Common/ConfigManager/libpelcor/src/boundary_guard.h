// Keeps exceptions inside the library: every operation that the caller
// reaches through an interface and that can throw (allocation failures,
// RapidJSON assertions) runs through Guarded.
#pragma once

// The operation's result, or `failure` when it throws.
template <typename Result, typename Operation>
Result Guarded(Result failure, Operation&& operation) noexcept {
  try {
    return operation();
  } catch (...) {
    return failure;
  }
}
