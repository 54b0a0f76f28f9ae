// The asynchronous downloader: events on the event pool, cancel from a
// handler, hundreds of transfers at once, a file removed or replaced during
// its transfer, a working folder changed during one, Stop and Release
// during transfers.
#include <filesystem>
#include <thread>

#include "drossel_fixture.h"
#include "platform/files.h"
#include "testing/scoped_env.h"

namespace drossel_test {
namespace {

using AsyncDownload = DrosselTest;

// Puts the process back into the working folder it had when this was made.
class WorkingFolder {
 public:
  ~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(saved_, ignored);
  }

 private:
  const std::filesystem::path saved_ = std::filesystem::current_path();
};

TEST_F(AsyncDownload, HundredsOfConcurrentDownloadsArriveWhole) {
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  constexpr int kCount = 300;
  for (int i = 0; i < kCount; ++i) {
    const std::u16string file = u"f" + W(std::to_string(i));
    ASSERT_TRUE(Async()->DownloadFile(Url("/files/f?size=" + std::to_string(1000 + i) + "&seed=" + std::to_string(i)).c_str(),
                                      file.c_str(), Folder().c_str(), i));
  }
  ASSERT_TRUE(events.WaitForEnds(kCount));
  EXPECT_EQ(events.Count(EN_EVENT_END), kCount);
  EXPECT_EQ(events.Count(EN_EVENT_BEGIN), kCount);
  for (int i = 0; i < kCount; ++i) {
    EXPECT_EQ(ReadFile(u"f" + W(std::to_string(i))), Content(1000 + i, i)) << i;
  }
}

TEST_F(AsyncDownload, AnEmptyUrlFailsThroughItsEvent) {
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  ASSERT_TRUE(Async()->DownloadFile(u"", u"e.bin", Folder().c_str(), 3));
  ASSERT_TRUE(events.WaitForEnds(1));
  const SeenEvent failed = events.Events().back();
  EXPECT_EQ(failed.type, EN_EVENT_FAILED);
  EXPECT_EQ(failed.userData, 3);
  EXPECT_EQ(failed.errorCode >> 32, 103u);
}

TEST_F(AsyncDownload, AHandlerCancelsAtProgress) {
  EventRecorder& events = events_;
  events.CancelOnProgress();
  events.Attach(Async()->GetEventMgr(nullptr));
  ASSERT_TRUE(Async()->DownloadFile(Url("/files/c?size=8000000&trickle=2&trickle_bytes=65536").c_str(), u"c.bin",
                                    Folder().c_str(), 1));
  ASSERT_TRUE(events.WaitForEnds(1));
  EXPECT_EQ(events.Events().back().type, EN_EVENT_FAILED);
  EXPECT_EQ(events.Events().back().errorCode, 105ull << 32);
  EXPECT_FALSE(FileExists(u"c.bin"));  // deleted before the failed event
  EXPECT_EQ(events.Count(EN_EVENT_END) + events.Count(EN_EVENT_FAILED), 1);
}

TEST_F(AsyncDownload, AFileRemovedOrReplacedWhileDownloadingFails) {
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  const std::u16string sub = Folder() + u"/sub";
  ASSERT_TRUE(Async()->DownloadFile(Url("/files/h?size=200000&hold=h&hold_after=1000").c_str(), u"h.bin",
                                    sub.c_str()));
  ASSERT_TRUE(events.WaitFor(EN_EVENT_BEGIN, 1));  // the file is open
  std::filesystem::remove_all(platform::NativePath(sub));
  ASSERT_TRUE(dir_.Write(u"sub/h.bin", "another file"));
  ASSERT_TRUE(net_->Release("h"));
  ASSERT_TRUE(events.WaitForEnds(1));
  EXPECT_EQ(events.Events().back().type, EN_EVENT_FAILED);
  EXPECT_EQ(events.Events().back().errorCode, 110ull << 32);
  EXPECT_EQ(ReadFile(u"sub/h.bin"), "another file");  // neither reported nor deleted
}

// Another file is renamed over the partial one before the server answers;
// the server then ignores the range and sends the whole resource. The
// restart empties the file that was opened, never the one now at the path.
TEST_F(AsyncDownload, AWholeAnswerToAResumeOfAReplacedFileFails) {
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  ASSERT_TRUE(dir_.Write(u"w.bin", Content(4000)));
  ASSERT_TRUE(Async()->DownloadFileIncrement(Url("/files/w?size=10000&ignore_range=1&hold_head=w").c_str(),
                                             u"w.bin", Folder().c_str(), -1, 0));
  ASSERT_TRUE(events.WaitFor(EN_EVENT_BEGIN, 1));  // the partial file is open
  ASSERT_TRUE(dir_.Write(u"other.bin", "another file"));
  std::filesystem::rename(platform::NativePath(dir_.File(u"other.bin")), platform::NativePath(dir_.File(u"w.bin")));
  ASSERT_TRUE(net_->Release("w"));
  ASSERT_TRUE(events.WaitForEnds(1));
  EXPECT_EQ(events.Events().back().type, EN_EVENT_FAILED);
  EXPECT_EQ(events.Events().back().errorCode, 110ull << 32);
  EXPECT_TRUE(ReadFile(u"w.bin") == "another file");
}

// A download into a relative folder lands where that folder was when it was
// requested, and succeeds although the process changed its working folder
// while it ran.
TEST_F(AsyncDownload, AChangeOfWorkingFolderSparesADownloadIntoARelativeFolder) {
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  const WorkingFolder restore;
  std::filesystem::current_path(dir_.native_path());
  ASSERT_TRUE(Async()->DownloadFile(Url("/files/r?size=200000&hold=r&hold_after=1000").c_str(), u"r.bin", u"rel"));
  ASSERT_TRUE(events.WaitFor(EN_EVENT_BEGIN, 1));  // the file is open
  std::filesystem::current_path("/");
  ASSERT_TRUE(net_->Release("r"));
  ASSERT_TRUE(events.WaitForEnds(1));
  EXPECT_EQ(events.Events().back().type, EN_EVENT_END);
  EXPECT_TRUE(ReadFile(u"rel/r.bin") == Content(200000));
}

TEST_F(AsyncDownload, StopEndsStalledAndQueuedTransfers) {
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  EXPECT_TRUE(Async()->Stop(0));  // never downloaded
  // More stalled transfers than workers, so some wait in the queue; one
  // has no known length, so only the stop request can end it.
  constexpr int kCount = 40;
  for (int i = 0; i < kCount; ++i) {
    const std::string query = i == 0 ? "size=100000&chunked=1&stall=60&stall_after=10" : "size=100&stall_before=60";
    ASSERT_TRUE(Async()->DownloadFile(Url("/files/s?" + query).c_str(), W("s" + std::to_string(i)).c_str(),
                                      Folder().c_str(), i));
  }
  while (net_->CountLog("http", "stall") == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(Async()->Stop(static_cast<std::uint32_t>(lumarine_testing::PatienceMs())))
      << "the stopped transfers never ended";
  ASSERT_TRUE(events.WaitForEnds(kCount));
  EXPECT_EQ(events.Count(EN_EVENT_FAILED), kCount);
  for (const SeenEvent& e : events.Events()) {
    if (e.type == EN_EVENT_FAILED) {
      EXPECT_EQ(e.errorCode, 105ull << 32);
    }
  }
  // The pool still works after Stop.
  ASSERT_TRUE(Async()->DownloadFile(Url("/files/after?size=10").c_str(), u"after.bin", Folder().c_str()));
  ASSERT_TRUE(events.WaitForEnds(kCount + 1));
  EXPECT_EQ(ReadFile(u"after.bin"), Content(10));
}

TEST_F(AsyncDownload, ReleaseDuringTransfersEndsThemAndClosesTheLibrarysPools) {
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(Async()->DownloadFile(Url("/files/s?size=10000000&trickle=5&trickle_bytes=1000").c_str(),
                                      W("s" + std::to_string(i)).c_str(), Folder().c_str(), i));
  }
  ReleaseRoot();  // returns once every transfer has ended
  const std::size_t seen = events.Events().size();
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(FileExists(W("s" + std::to_string(i))));
  // The pools are closed for the rest of the library's life, and a refused
  // synchronous download says why.
  ITqCloudAppResBuf* second = NewRoot();
  EXPECT_FALSE(second->GetAsyncDownload(nullptr)->DownloadFile(Url("/files/a").c_str(), u"a", Folder().c_str()));
  ISyncDownload* sync = second->GetSyncDownload(nullptr);
  EXPECT_FALSE(sync->DownloadFile(Url("/files/a").c_str(), u"a", Folder().c_str(), 5));
  EXPECT_EQ(sync->GetErrorCode(), 109ull << 32);
  lumarine_testing::ScopedEnv english("LUMARINE_LANG", "en");
  EXPECT_EQ(U8(sync->GetErrorText()), "The download service is shut down; reload the library to download again.");
  EXPECT_EQ(net_->CountLog("http", "GET /files/a"), 0);
  // No event reached the released root's handlers after Release returned
  // (unloading joins every thread of the library).
  second->Release();
  extraRoots_.clear();
  library_.reset();
  EXPECT_EQ(events.Events().size(), seen);
}

TEST_F(AsyncDownload, ReleasingRootsThatNeverDownloadedLeavesTheOthersEvents) {
  // One root obtains only its asynchronous downloader, another every
  // object; neither downloads.
  EventRecorder idleEvents;
  for (const bool everyObject : {false, true}) {
    ITqCloudAppResBuf* idle = createInstance_(nullptr);
    idleEvents.Attach(idle->GetAsyncDownload(nullptr)->GetEventMgr(nullptr));
    if (everyObject) {
      idle->GetSyncDownload(nullptr);
      idle->GetHttpUtility(nullptr);
    }
    idle->Release();
  }
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(Async()->DownloadFile(Url("/files/e?size=1000000&seed=" + std::to_string(i)).c_str(),
                                      W("e" + std::to_string(i)).c_str(), Folder().c_str(), i));
  }
  ASSERT_TRUE(events.WaitForEnds(2));
  EXPECT_EQ(events.Count(EN_EVENT_BEGIN), 2);
  EXPECT_GE(events.Count(EN_EVENT_PROGRESS), 2);
  EXPECT_EQ(events.Count(EN_EVENT_END), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(ReadFile(W("e" + std::to_string(i))) == Content(1000000, static_cast<std::uint32_t>(i))) << i;
  }
  EXPECT_TRUE(Sync()->DownloadFile(Url("/files/s?size=100").c_str(), u"s.bin", Folder().c_str(), 60));
  EXPECT_TRUE(idleEvents.Events().empty());
}

TEST_F(AsyncDownload, RemovingAllHandlersSilencesOnlyThatDownloader) {
  EventRecorder& events = events_;
  IEventMgr* mgr = Async()->GetEventMgr(nullptr);
  events.Attach(mgr);
  mgr->RemoveAllHandlers();
  EventRecorder others;
  ITqCloudAppResBuf* otherRoot = createInstance_(nullptr);
  IAsyncDownload* other = otherRoot->GetAsyncDownload(nullptr);
  others.Attach(other->GetEventMgr(nullptr));
  ASSERT_TRUE(Async()->DownloadFile(Url("/files/q?size=100").c_str(), u"q.bin", Folder().c_str()));
  ASSERT_TRUE(other->DownloadFile(Url("/files/o?size=100").c_str(), u"o.bin", Folder().c_str()));
  // The other downloader still hears of its transfer.
  ASSERT_TRUE(others.WaitForEnds(1));
  EXPECT_EQ(others.Count(EN_EVENT_BEGIN), 1);
  EXPECT_EQ(others.Count(EN_EVENT_END), 1);
  // The silenced one's transfer still runs: wait for its file (bounded hang
  // guard), then for every thread of the library to end.
  const auto deadline = std::chrono::steady_clock::now() + lumarine_testing::Patience();
  while (ReadFile(u"q.bin") != Content(100) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(ReadFile(u"q.bin"), Content(100)) << "the silent transfer never wrote its file";
  ReleaseRoot();
  otherRoot->Release();  // before `others` goes
  EXPECT_TRUE(events.Events().empty());
}

}  // namespace
}  // namespace drossel_test
