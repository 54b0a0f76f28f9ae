// The library under test, loaded with dlopen from the build's bin folder
// as its real caller loads it, and the managers it hands out.
#pragma once

#include <memory>

#include "libpelcor/libpelcor.h"

namespace pelcor_test {

struct ManagerRelease {
  void operator()(ICloudConfigManager* manager) const {
    if (manager != nullptr) manager->Release();
  }
};
using ManagerPtr = std::unique_ptr<ICloudConfigManager, ManagerRelease>;

// A new manager from libpelcor.so's factory; null (and a failed test) when
// the library or its export is missing.
ManagerPtr NewManager();

}  // namespace pelcor_test
