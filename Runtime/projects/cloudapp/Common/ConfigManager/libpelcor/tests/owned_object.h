// Holds an object handed out by libpelcor and ends it through its own
// Release, as the library's caller must.
#pragma once

#include <memory>

namespace pelcor_test {

struct ReleaseObject {
  template <typename Object>
  void operator()(Object* object) const {
    if (object != nullptr) object->Release();
  }
};

template <typename Object>
using Owned = std::unique_ptr<Object, ReleaseObject>;

}  // namespace pelcor_test
