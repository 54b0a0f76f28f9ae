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

// For an operation without a result: an exception ends it and is dropped,
// leaving what the operation had done before it was thrown.
template <typename Operation>
void GuardedCall(Operation&& operation) noexcept {
  try {
    operation();
  } catch (...) {
  }
}
