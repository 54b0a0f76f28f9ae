// No exception crosses an interface: NoThrow runs a call and turns any
// exception (in practice an allocation failure) into the call's failure
// value.
#pragma once

#include <utility>

template <typename Result, typename Call>
Result NoThrow(Result failure, Call&& call) {
  try {
    return std::forward<Call>(call)();
  } catch (...) {
    return failure;
  }
}
