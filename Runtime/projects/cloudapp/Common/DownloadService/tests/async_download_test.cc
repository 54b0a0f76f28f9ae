// The asynchronous downloader: events on the event pool, cancel from a
// handler, hundreds of transfers at once, Stop and Release during
// transfers.
#include <thread>

#include "drossel_fixture.h"

namespace drossel_test {
namespace {

using AsyncDownload = DrosselTest;

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
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(FileExists(W("s" + std::to_string(i))));
  // The pools are closed for the rest of the library's life.
  ITqCloudAppResBuf* second = NewRoot();
  EXPECT_FALSE(second->GetAsyncDownload(nullptr)->DownloadFile(Url("/files/a").c_str(), u"a", Folder().c_str()));
  EXPECT_FALSE(second->GetSyncDownload(nullptr)->DownloadFile(Url("/files/a").c_str(), u"a", Folder().c_str(), 5));
  EXPECT_TRUE(second->GetSyncDownload(nullptr)->IsSuccess());  // refused: error unchanged
}

TEST_F(AsyncDownload, RemovingAllHandlersSilencesEveryTransfer) {
  EventRecorder& events = events_;
  IEventMgr* mgr = Async()->GetEventMgr(nullptr);
  events.Attach(mgr);
  mgr->RemoveAllHandlers();
  ASSERT_TRUE(Async()->DownloadFile(Url("/files/q?size=100").c_str(), u"q.bin", Folder().c_str()));
  // No event tells when it is done: wait for the file (bounded hang guard).
  const auto deadline = std::chrono::steady_clock::now() + lumarine_testing::Patience();
  while (ReadFile(u"q.bin") != Content(100) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(ReadFile(u"q.bin"), Content(100)) << "the silent transfer never wrote its file";
  EXPECT_TRUE(events.Events().empty());
}

}  // namespace
}  // namespace drossel_test
