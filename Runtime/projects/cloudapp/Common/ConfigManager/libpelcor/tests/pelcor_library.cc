#include "pelcor_library.h"

#include "testing/library_under_test.h"

namespace pelcor_test {

ManagerPtr NewManager() {
  static const lumarine_testing::LibraryUnderTest library("libpelcor.so");
  const auto factory = library.Bind<CreateCloudConfigManagerFn>("CreateCloudConfigManager");
  return ManagerPtr(factory != nullptr ? factory() : nullptr);
}

}  // namespace pelcor_test
