// The synchronous downloader against the loopback network: whole
// downloads byte for byte, events on the calling thread, failures with
// their codes and files (a read-only file among them), time-outs, URLs.
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "drossel_fixture.h"
#include "platform/files.h"
#include "testing/file_size_limit.h"
#include "testing/scoped_env.h"

namespace drossel_test {
namespace {

class SyncDownload : public DrosselTest {
 protected:
  bool Download(const std::string& pathAndQuery, const char16_t* file, unsigned timeout = PatienceSeconds()) {
    return Sync()->DownloadFile(Url(pathAndQuery).c_str(), file, Folder().c_str(), 42, timeout);
  }
};

TEST_F(SyncDownload, WholeFileArrivesByteForByteWithItsEvents) {
  EventRecorder& events = events_;
  events.Attach(Sync()->GetEventMgr(nullptr));
  ASSERT_TRUE(Download("/files/a?size=3000000&seed=5", u"a.bin"));
  EXPECT_EQ(ReadFile(u"a.bin"), Content(3000000, 5));
  EXPECT_TRUE(Sync()->IsSuccess());

  const std::vector<SeenEvent> seen = events.Events();
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front().type, EN_EVENT_BEGIN);
  EXPECT_EQ(seen.back().type, EN_EVENT_END);
  std::int64_t sum = 0, last = 0;
  for (const SeenEvent& e : seen) {
    EXPECT_EQ(e.userData, 42);
    EXPECT_EQ(e.localPath, U8(Folder().c_str()) + "/a.bin");
    if (e.type != EN_EVENT_PROGRESS) continue;
    EXPECT_EQ(e.total, 3000000);
    EXPECT_GT(e.downloaded, last);
    sum += e.delta;
    last = e.downloaded;
  }
  EXPECT_EQ(last, 3000000);  // completion is always reported
  EXPECT_EQ(sum, 3000000);
  EXPECT_LE(events.Count(EN_EVENT_PROGRESS), 7);  // 15 % steps and completion
}

TEST_F(SyncDownload, HttpsChunkedAndNestedFolders) {
  ASSERT_TRUE(Sync()->DownloadFile(SecureUrl("/files/s?size=200000&seed=1").c_str(), u"s.bin", Folder().c_str(),
                                   PatienceSeconds()));
  EXPECT_EQ(ReadFile(u"s.bin"), Content(200000, 1));
  // No length: begin and end, no progress event.
  EventRecorder& events = events_;
  events.Attach(Sync()->GetEventMgr(nullptr));
  const std::u16string nested = Folder() + u"/x/y/z/";
  ASSERT_TRUE(
      Sync()->DownloadFile(Url("/files/c?size=100000&chunked=1").c_str(), u"c.bin", nested.c_str(), PatienceSeconds()));
  EXPECT_EQ(ReadFile(u"x/y/z/c.bin"), Content(100000));
  EXPECT_EQ(events.Types(), (std::vector<int>{EN_EVENT_BEGIN, EN_EVENT_END}));
  EXPECT_EQ(events.Events().back().localPath, U8(nested.c_str()) + "c.bin");  // no second "/"
}

TEST_F(SyncDownload, RefusedArgumentsQueueNothingAndKeepTheError) {
  ASSERT_FALSE(Download("/files/gone?status=404", u"gone.bin"));
  const std::uint64_t code = Sync()->GetErrorCode();
  EXPECT_FALSE(Sync()->DownloadFile(Url("/files/a").c_str(), u"a.bin", u"", 5));
  EXPECT_FALSE(Sync()->DownloadFile(Url("/files/a").c_str(), nullptr, Folder().c_str(), 5));
  EXPECT_FALSE(Sync()->DownloadFile(u"", u"a.bin", Folder().c_str(), 5));
  EXPECT_EQ(Sync()->GetErrorCode(), code);
  EXPECT_EQ(net_->CountLog("http", "GET /files/a"), 0);
}

TEST_F(SyncDownload, FailuresCarryTheirCodesAndLeaveNoFile) {
  EventRecorder& events = events_;
  events.Attach(Sync()->GetEventMgr(nullptr));
  for (const char* query : {"status=404", "status=404&body=0"}) {
    EXPECT_FALSE(Download(std::string("/files/e?") + query, u"e.bin"));
    EXPECT_EQ(Sync()->GetErrorCode(), (106ull << 32) + 404) << query;
    EXPECT_FALSE(FileExists(u"e.bin"));
    EXPECT_EQ(events.Events().back().errorCode, Sync()->GetErrorCode());
  }
  EXPECT_FALSE(Download("/files/cut?size=500000&cut=100000", u"cut.bin"));
  EXPECT_EQ(Sync()->GetMessageId(), 103);
  EXPECT_EQ(Sync()->GetDetailCode(), 18);  // CURLE_PARTIAL_FILE
  EXPECT_FALSE(FileExists(u"cut.bin"));

  // The disk fills before the last bytes reach the file.
  {
    lumarine_testing::ScopedFileSizeLimit limit(1024);
    EXPECT_FALSE(Download("/files/full?size=2000", u"full.bin"));
  }
  EXPECT_EQ(Sync()->GetErrorCode(), (103ull << 32) + 23);  // CURLE_WRITE_ERROR
  EXPECT_FALSE(FileExists(u"full.bin"));

  // A folder that cannot be made: the local file cannot be opened.
  ASSERT_TRUE(dir_.Write(u"plain", "x"));
  EXPECT_FALSE(Sync()->DownloadFile(Url("/files/a").c_str(), u"f.bin", (Folder() + u"/plain/sub").c_str(), 60));
  EXPECT_EQ(Sync()->GetMessageId(), 104);
  EXPECT_EQ(Sync()->GetDetailCode(), ENOTDIR);

  // A success does not clear the last failure.
  EXPECT_TRUE(Download("/files/ok?size=10", u"ok.bin"));
  EXPECT_FALSE(Sync()->IsSuccess());
  EXPECT_EQ(Sync()->GetMessageId(), 104);
}

// A file whose mode has no write bit is read-only, also when the tests run
// as root: neither download writes it.
TEST_F(SyncDownload, AReadOnlyFileIsNeitherReplacedNorAppendedTo) {
  ASSERT_TRUE(dir_.Write(u"ro.bin", "read-only"));
  std::filesystem::permissions(platform::NativePath(dir_.File(u"ro.bin")), std::filesystem::perms::owner_read |
                                                                              std::filesystem::perms::group_read |
                                                                              std::filesystem::perms::others_read);
  EXPECT_FALSE(Download("/files/ro?size=1000", u"ro.bin"));
  EXPECT_EQ(Sync()->GetErrorCode(), (104ull << 32) + EACCES);
  EXPECT_FALSE(Sync()->DownloadFileIncrement(Url("/files/ro?size=1000").c_str(), u"ro.bin", Folder().c_str(), -1, 0,
                                             PatienceSeconds()));
  EXPECT_EQ(Sync()->GetErrorCode(), (104ull << 32) + EACCES);
  EXPECT_TRUE(ReadFile(u"ro.bin") == "read-only");
}

TEST_F(SyncDownload, ErrorTextsFollowTheLanguage) {
  EXPECT_FALSE(Download("/files/e?status=503", u"e.bin"));
  lumarine_testing::ScopedEnv english("LUMARINE_LANG", "en");
  EXPECT_EQ(U8(Sync()->GetErrorText()), "HTTP error.(error code: 503)");
  lumarine_testing::ScopedEnv chinese("LUMARINE_LANG", "zh_CN");
  EXPECT_EQ(U8(Sync()->GetErrorText()), "HTTP错误。（错误代码：503）");
}

TEST_F(SyncDownload, ATimeOutStopsTheTransferAndWaitsForItsLastEvent) {
  EventRecorder& events = events_;
  events.Attach(Sync()->GetEventMgr(nullptr));
  EXPECT_FALSE(Download("/files/st?size=1000000&stall=30&stall_after=1000", u"st.bin", 1));
  EXPECT_EQ(Sync()->GetErrorCode(), 102ull << 32);
  EXPECT_EQ(U8(Sync()->GetErrorText()), "Operation timed out.");
  // The transfer's failed event was delivered before the call returned.
  ASSERT_FALSE(events.Events().empty());
  EXPECT_EQ(events.Events().back().type, EN_EVENT_FAILED);
  EXPECT_EQ(events.Events().back().errorCode, 105ull << 32);
  EXPECT_FALSE(FileExists(u"st.bin"));

  // Time-out 0: the begin event uses it up at once.
  EXPECT_FALSE(Download("/files/z?size=100&stall_before=1", u"z.bin", 0));
  EXPECT_EQ(Sync()->GetMessageId(), 102);
}

TEST_F(SyncDownload, UrlsAreNormalisedWithPortAndQueryKept) {
  const std::string base = "http://127.0.0.1:" + std::to_string(net_->Port("http"));
  ASSERT_TRUE(Sync()->DownloadFile(W(base + "\\files\\b s\xe4\xb8\xad?size=77&seed=3#part").c_str(), u"b.bin",
                                   Folder().c_str(), PatienceSeconds()));
  EXPECT_EQ(ReadFile(u"b.bin"), Content(77, 3));
  std::string requested = net_->Log().back();  // escapes compare without case
  for (char& c : requested) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(requested, "http\tget /files/b%20s%e4%b8%ad?size=77&seed=3");

  EXPECT_TRUE(Download("/redirect?to=/files/r%3Fsize%3D9", u"r.bin"));
  EXPECT_EQ(ReadFile(u"r.bin"), Content(9));
  EXPECT_FALSE(Download("/loop", u"loop.bin"));
  EXPECT_EQ(Sync()->GetDetailCode(), 47);  // CURLE_TOO_MANY_REDIRECTS
  EXPECT_LE(net_->CountLog("http", "GET /loop"), 25);
  EXPECT_FALSE(Sync()->DownloadFile(u"ftp://127.0.0.1/x", u"f.bin", Folder().c_str(), 10));
  EXPECT_EQ(Sync()->GetDetailCode(), 1);  // CURLE_UNSUPPORTED_PROTOCOL
  // Without a scheme: http.
  EXPECT_TRUE(Sync()->DownloadFile(W(base.substr(7) + "/files/n?size=5").c_str(), u"n.bin", Folder().c_str(),
                                   PatienceSeconds()));
  EXPECT_EQ(ReadFile(u"n.bin"), Content(5));
}

TEST_F(SyncDownload, ConcurrentCallsEachPumpTheirOwnEvents) {
  struct PerThread {
    std::thread::id id;
    bool foreign = false;
  };
  static const EventHandler check = [](IEventArg* arg, void* user) {
    auto* threads = static_cast<std::vector<PerThread>*>(user);
    const int index = arg->GetUserData();
    if ((*threads)[index].id != std::this_thread::get_id()) (*threads)[index].foreign = true;
    return true;
  };
  std::vector<PerThread> threads(4);
  for (int type = EN_EVENT_BEGIN; type <= EN_EVENT_FAILED; ++type) {
    Sync()->GetEventMgr(nullptr)->AddHandler(type, check, &threads);
  }
  std::vector<std::thread> workers;
  std::vector<int> results(threads.size());
  for (std::size_t i = 0; i < threads.size(); ++i) {
    workers.emplace_back([&, i] {
      threads[i].id = std::this_thread::get_id();
      const std::u16string file = u"t" + W(std::to_string(i));
      results[i] = Sync()->DownloadFile(Url("/files/t?size=400000&trickle=1&trickle_bytes=40000&seed=" +
                                            std::to_string(i)).c_str(),
                                        file.c_str(), Folder().c_str(), static_cast<int>(i), PatienceSeconds());
    });
  }
  for (std::thread& t : workers) t.join();
  for (std::size_t i = 0; i < threads.size(); ++i) {
    EXPECT_TRUE(results[i]);
    EXPECT_FALSE(threads[i].foreign) << "thread " << i << " ran another transfer's handler";
    EXPECT_EQ(ReadFile(u"t" + W(std::to_string(i))), Content(400000, static_cast<std::uint32_t>(i)));
  }
}

}  // namespace
}  // namespace drossel_test
