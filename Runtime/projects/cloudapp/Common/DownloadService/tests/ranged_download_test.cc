// Ranged and resumed downloads: what the file holds afterwards, for 206,
// 200 and 416 answers, answers of another range and error pages, and which
// failures keep it.
#include "drossel_fixture.h"

namespace drossel_test {
namespace {

class RangedDownload : public DrosselTest {
 protected:
  bool Increment(const std::string& query, std::int64_t start, std::int64_t end) {
    return Sync()->DownloadFileIncrement(Url("/files/r?" + query).c_str(), u"r.bin", Folder().c_str(), start, end,
                                         30);
  }
};

TEST_F(RangedDownload, ResumesFromThePartialFile) {
  ASSERT_TRUE(dir_.Write(u"r.bin", Content(1000)));
  ASSERT_TRUE(Increment("size=50000", -1, 0));
  EXPECT_EQ(ReadFile(u"r.bin"), Content(50000));
  EXPECT_EQ(net_->CountLog("http", "Range: bytes=1000-"), 1);
}

TEST_F(RangedDownload, AppendsAnExplicitRange) {
  ASSERT_TRUE(dir_.Write(u"r.bin", "head"));
  ASSERT_TRUE(Increment("size=50000", 1000, 4999));
  EXPECT_EQ(ReadFile(u"r.bin"), "head" + lumarine_testing::LoopbackNetwork::FileContent(1000, 5000));
  EXPECT_EQ(net_->CountLog("http", "Range: bytes=1000-4999"), 1);
}

TEST_F(RangedDownload, AMissingFileIsFetchedWholeWhateverTheRange) {
  ASSERT_TRUE(Increment("size=3000", 500, 999));
  EXPECT_EQ(ReadFile(u"r.bin"), Content(3000));
  EXPECT_EQ(net_->CountLog("http", "Range: bytes=0-"), 1);
}

TEST_F(RangedDownload, AWholeAnswerRestartsTheFile) {
  // Also when the resource is now empty: the file then ends empty.
  for (const int size : {4000, 0}) {
    ASSERT_TRUE(dir_.Write(u"r.bin", Content(700)));
    ASSERT_TRUE(Increment("size=" + std::to_string(size) + "&ignore_range=1", -1, 0));
    EXPECT_TRUE(ReadFile(u"r.bin") == Content(size)) << size;
  }
}

TEST_F(RangedDownload, AnAnswerStartingElsewhereLeavesTheFileAsItWas) {
  // Byte 4000 was asked for; the answers start before and after it.
  for (const char* start : {"0", "5000"}) {
    ASSERT_TRUE(dir_.Write(u"r.bin", Content(4000)));
    EXPECT_FALSE(Increment(std::string("size=10000&range_start=") + start, -1, 0));
    EXPECT_EQ(Sync()->GetErrorCode(), (103ull << 32) + 33) << start;  // CURLE_RANGE_ERROR
    EXPECT_TRUE(ReadFile(u"r.bin") == Content(4000)) << start;
  }
}

TEST_F(RangedDownload, AnErrorPageLeavesThePartialFileAsItWas) {
  for (const int status : {404, 500}) {
    ASSERT_TRUE(dir_.Write(u"r.bin", Content(1000)));
    EXPECT_FALSE(Increment("size=5000&status=" + std::to_string(status), -1, 0));
    EXPECT_EQ(Sync()->GetErrorCode(), (106ull << 32) + status);
    EXPECT_TRUE(ReadFile(u"r.bin") == Content(1000)) << status;
  }
}

TEST_F(RangedDownload, Answer416DecidesByTheCompleteLength) {
  // Complete already: the end event, the file kept.
  ASSERT_TRUE(dir_.Write(u"r.bin", Content(2000)));
  EXPECT_TRUE(Increment("size=2000", -1, 0));
  EXPECT_EQ(ReadFile(u"r.bin"), Content(2000));
  // Longer than the resource: failed, and the file goes.
  ASSERT_TRUE(dir_.Write(u"r.bin", Content(2500)));
  EXPECT_FALSE(Increment("size=2000", -1, 0));
  EXPECT_EQ(Sync()->GetErrorCode(), (106ull << 32) + 416);
  EXPECT_FALSE(FileExists(u"r.bin"));
  // Shorter than the resource: failed, the file kept.
  ASSERT_TRUE(dir_.Write(u"r.bin", Content(1500)));
  EXPECT_FALSE(Increment("size=2000&force416=1", -1, 0));
  EXPECT_EQ(ReadFile(u"r.bin"), Content(1500));
}

TEST_F(RangedDownload, FailedOrCancelledRangesKeepTheFile) {
  ASSERT_TRUE(dir_.Write(u"r.bin", Content(1000)));
  EXPECT_FALSE(Increment("size=800000&cut=200000", -1, 0));
  EXPECT_EQ(Sync()->GetDetailCode(), 18);
  EXPECT_EQ(ReadFile(u"r.bin").value_or("").substr(0, 1000), Content(1000));

  ASSERT_TRUE(dir_.Write(u"r.bin", Content(1000)));
  EventRecorder& events = events_;
  events.CancelOnProgress();
  events.Attach(Sync()->GetEventMgr(nullptr));
  EXPECT_FALSE(Increment("size=5000000&trickle=1&trickle_bytes=65536", -1, 0));
  EXPECT_EQ(Sync()->GetErrorCode(), 105ull << 32);
  EXPECT_EQ(events.Count(EN_EVENT_FAILED), 1);
  EXPECT_LT(ReadFile(u"r.bin").value_or("").size(), 5000000u);
  EXPECT_EQ(ReadFile(u"r.bin").value_or("").substr(0, 1000), Content(1000));
}

}  // namespace
}  // namespace drossel_test
