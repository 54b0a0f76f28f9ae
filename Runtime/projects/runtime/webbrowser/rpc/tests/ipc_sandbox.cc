#include "ipc_sandbox.h"

#include <dirent.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>

#include <gtest/gtest.h>

#include "platform/unicode.h"

namespace rpc_test {
namespace {

std::string& Folder() {
  static std::string folder;
  return folder;
}

void RemoveFolder(const std::string& folder) {
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(dir);
  }
  ::rmdir(folder.c_str());
}

class IpcEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    char pattern[] = "/dev/shm/lumarine-rpc-test-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    ASSERT_NE(made, nullptr) << "cannot make a folder under /dev/shm";
    Folder() = made;
    ::setenv("LUMARINE_IPC_DIR", made, 1);
  }
  void TearDown() override { RemoveFolder(Folder()); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new IpcEnvironment);

}  // namespace

std::string IpcFolder() { return Folder(); }

platform::WString UniqueName(const std::string& stem) {
  static std::atomic<int> counter{0};
  return platform::Utf8ToUtf16(stem + std::to_string(++counter));
}

int CountObjectFiles() {
  int count = 0;
  if (DIR* dir = ::opendir(Folder().c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      if (entry->d_name[0] != '.') ++count;
    }
    ::closedir(dir);
  }
  return count;
}

}  // namespace rpc_test
