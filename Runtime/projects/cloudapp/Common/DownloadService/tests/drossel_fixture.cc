#include "drossel_fixture.h"

#include <chrono>

#include "platform/files.h"
#include "platform/unicode.h"
#include "testing/patience.h"

namespace drossel_test {

std::u16string W(const std::string& utf8) { return platform::Utf8ToUtf16(utf8); }

std::string U8(const char16_t* text) { return text ? platform::Utf16ToUtf8(text) : std::string("(null)"); }

void EventRecorder::Attach(IEventMgr* mgr) {
  for (int type = EN_EVENT_BEGIN; type <= EN_EVENT_FAILED; ++type) mgr->AddHandler(type, &Handle, this);
}

bool EventRecorder::Handle(IEventArg* arg, void* self) {
  auto* recorder = static_cast<EventRecorder*>(self);
  SeenEvent seen;
  seen.type = arg->GetEventType();
  seen.userData = arg->GetUserData();
  if (auto* download = dynamic_cast<IDownloadEventArg*>(arg)) {
    seen.localPath = U8(download->GetLocalPath());
    seen.url = U8(download->GetUrl());
  }
  if (auto* progress = dynamic_cast<IDownloadProgressEventArg*>(arg)) {
    seen.total = progress->GetTotalBytes();
    seen.downloaded = progress->GetDownloadedBytes();
    seen.delta = progress->GetDeltaBytes();
    if (recorder->cancel_) progress->SetCancel(true);
  }
  if (auto* error = dynamic_cast<IDWError*>(arg)) seen.errorCode = error->GetErrorCode();
  {
    std::lock_guard<std::mutex> lock(recorder->mutex_);
    recorder->events_.push_back(seen);
  }
  recorder->changed_.notify_all();
  return true;
}

std::vector<SeenEvent> EventRecorder::Events() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return events_;
}

std::vector<int> EventRecorder::Types() const {
  std::vector<int> types;
  for (const SeenEvent& e : Events()) types.push_back(e.type);
  return types;
}

int EventRecorder::Count(int type) const {
  int count = 0;
  for (const SeenEvent& e : Events()) count += e.type == type;
  return count;
}

int PatienceSeconds() {
  return static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(lumarine_testing::Patience()).count());
}

bool EventRecorder::WaitForEnds(int count) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, lumarine_testing::Patience(), [&] {
    int ends = 0;
    for (const SeenEvent& e : events_) ends += e.type == EN_EVENT_END || e.type == EN_EVENT_FAILED;
    return ends >= count;
  });
}

bool EventRecorder::WaitFor(int type, int count) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, lumarine_testing::Patience(), [&] {
    int seen = 0;
    for (const SeenEvent& e : events_) seen += e.type == type;
    return seen >= count;
  });
}

void DrosselTest::SetUp() {
  library_ = std::make_unique<lumarine_testing::LibraryUnderTest>("libdrossel.so");
  ASSERT_TRUE(library_->loaded());
  createInstance_ = library_->Bind<PFN_CreateInstance>("CreateInstance");
  ASSERT_NE(createInstance_, nullptr);
  root_ = createInstance_(nullptr);
  ASSERT_NE(root_, nullptr);
  net_ = lumarine_testing::LoopbackNetwork::Start();
  ASSERT_NE(net_, nullptr);
}

void DrosselTest::TearDown() {
  ReleaseRoot();
  for (ITqCloudAppResBuf* root : extraRoots_) root->Release();
  extraRoots_.clear();
  library_.reset();
}

void DrosselTest::ReleaseRoot() {
  if (root_) root_->Release();
  root_ = nullptr;
}

ITqCloudAppResBuf* DrosselTest::NewRoot() {
  ITqCloudAppResBuf* root = createInstance_(nullptr);
  extraRoots_.push_back(root);
  return root;
}

std::u16string DrosselTest::ProxiedUrl(const std::string& pathAndQuery) const {
  return W("http://files.test:" + std::to_string(net_->Port("http")) + pathAndQuery);
}

std::u16string DrosselTest::ProxyAddress(const std::string& server) const {
  return W("127.0.0.1:" + std::to_string(net_->Port(server)));
}

bool DrosselTest::FileExists(const std::u16string& name) const { return platform::PathExists(dir_.File(name)); }

}  // namespace drossel_test
