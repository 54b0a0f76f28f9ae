// Every test process keeps its named objects (the RPC channels of the
// renderers it starts, which inherit the variable) in a folder of its own.
#include <gtest/gtest.h>

#include <memory>

#include "testing/scoped_env.h"
#include "testing/temp_dir.h"

namespace {

class IpcFolder : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<lumarine_testing::TempDir>();
    variable_ = std::make_unique<lumarine_testing::ScopedEnv>("LUMARINE_IPC_DIR", folder_->native_path());
  }
  void TearDown() override {
    variable_.reset();
    folder_.reset();
  }

 private:
  std::unique_ptr<lumarine_testing::TempDir> folder_;
  std::unique_ptr<lumarine_testing::ScopedEnv> variable_;
};

const auto* const kIpcFolder = ::testing::AddGlobalTestEnvironment(new IpcFolder);

}  // namespace
