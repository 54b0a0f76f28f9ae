// What the download tests share: libdrossel loaded with dlopen as its real
// caller loads it (fresh for every test, unloaded afterwards), a root
// object, the loopback network, a temporary folder, and a thread-safe
// recorder of events.
#pragma once

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ZorTqCloudAppResBuf/ITqCloudAppResBuf.h"
#include "testing/library_under_test.h"
#include "testing/loopback_network.h"
#include "testing/patience.h"
#include "testing/temp_dir.h"

namespace drossel_test {

using namespace ZorTqCloudAppResBuf;

std::u16string W(const std::string& utf8);
std::string U8(const char16_t* text);

// The time-out, in seconds, of a transfer or query that a test expects to
// finish: only a hang reaches it (testing/patience.h).
int PatienceSeconds();

// One delivered event, copied out of its argument.
struct SeenEvent {
  int type = 0;
  int userData = 0;
  std::int64_t total = 0, downloaded = 0, delta = 0;
  std::uint64_t errorCode = 0;
  std::string localPath, url;
};

// Records every event of a manager; optionally cancels at the first
// progress event. Handlers may run on several threads at once.
class EventRecorder {
 public:
  void Attach(IEventMgr* mgr);
  void CancelOnProgress() { cancel_ = true; }

  std::vector<SeenEvent> Events() const;
  std::vector<int> Types() const;
  int Count(int type) const;
  // Waits until `count` transfers ended (end or failed); false after the
  // test's patience (a hang guard, not a timing assertion).
  bool WaitForEnds(int count) const;
  // Waits until `count` events of `type` arrived, likewise.
  bool WaitFor(int type, int count) const;

 private:
  static bool Handle(IEventArg* arg, void* self);

  bool cancel_ = false;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<SeenEvent> events_;
};

class DrosselTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Releases the root (TearDown then does nothing more with it).
  void ReleaseRoot();
  // A new root of the same loaded library.
  ITqCloudAppResBuf* NewRoot();

  ISyncDownload* Sync() { return root_->GetSyncDownload(nullptr); }
  IAsyncDownload* Async() { return root_->GetAsyncDownload(nullptr); }
  IHttpUtility* Utility() { return root_->GetHttpUtility(nullptr); }

  std::u16string Url(const std::string& pathAndQuery) const { return W(net_->HttpUrl(pathAndQuery)); }
  std::u16string SecureUrl(const std::string& pathAndQuery) const { return W(net_->HttpsUrl(pathAndQuery)); }
  // "http://files.test:<port>...": reachable only through a proxy.
  std::u16string ProxiedUrl(const std::string& pathAndQuery) const;
  std::u16string Folder() const { return dir_.path(); }
  std::u16string ProxyAddress(const std::string& server) const;

  std::optional<std::string> ReadFile(const std::u16string& name) const { return dir_.Read(name); }
  bool FileExists(const std::u16string& name) const;
  static std::string Content(std::uint64_t size, std::uint32_t seed = 0) {
    return lumarine_testing::LoopbackNetwork::FileContent(0, size, seed);
  }

  std::unique_ptr<lumarine_testing::LibraryUnderTest> library_;
  PFN_CreateInstance createInstance_ = nullptr;
  ITqCloudAppResBuf* root_ = nullptr;
  std::unique_ptr<lumarine_testing::LoopbackNetwork> net_;
  lumarine_testing::TempDir dir_;
  std::vector<ITqCloudAppResBuf*> extraRoots_;
  // Outlives the root, whose handlers may still run until it is released.
  EventRecorder events_;
};

}  // namespace drossel_test
