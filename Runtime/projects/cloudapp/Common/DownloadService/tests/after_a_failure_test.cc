// A failed transfer fails only itself: whatever made a download fail, the
// worker that ran it then completes ordinary downloads, synchronous and
// asynchronous, byte for byte and over one connection (its cached handle
// is still reused); so does the worker of a download whose answer ran past
// its announced length. The downloaders run in this process on a pool that
// never has more than one worker, so every follow-up runs on the worker
// that failed.
#include <curl/curl.h>

#include <string>

#include "drossel_fixture.h"
#include "zor_async_download.h"
#include "zor_sync_download.h"
#include "zor_thread_pool.h"

namespace drossel_test {
namespace {

using lumarine_testing::LoopbackNetwork;

// One way for a transfer to fail, and what the synchronous call reports.
struct Failure {
  const char* name;
  std::string (*url)(const LoopbackNetwork& net);
  std::uint64_t code;
  unsigned timeoutSeconds = 0;  // 0: the build's patience
  bool cancelAtProgress = false;
  int tlsVersion = 0;
};

void PrintTo(const Failure& failure, std::ostream* out) { *out << failure.name; }

constexpr std::uint64_t Code(std::uint64_t message, std::uint64_t detail) { return (message << 32) | detail; }

const Failure kFailures[] = {
    // Refused by libcurl before any data moved.
    {"MalformedUrl", [](const LoopbackNetwork&) { return std::string("http://"); }, Code(103, 3)},
    {"OtherScheme", [](const LoopbackNetwork&) { return std::string("ftp://127.0.0.1/x"); }, Code(103, 1)},
    {"UnresolvableHost",
     [](const LoopbackNetwork& net) { return "http://files.test:" + std::to_string(net.Port("http")) + "/files/u"; },
     Code(103, 6)},
    {"RedirectToOtherScheme", [](const LoopbackNetwork& net) { return net.HttpUrl("/redirect?to=ftp://127.0.0.1/x"); },
     Code(103, 1)},
    {"TlsVersionRefused", [](const LoopbackNetwork& net) { return net.HttpsUrl("/files/v?size=10"); }, Code(103, 43),
     0, false, 1},
    // Failures on the way.
    {"RefusedConnection", [](const LoopbackNetwork&) { return std::string("http://127.0.0.1:9/x"); }, Code(103, 7)},
    {"NotFound", [](const LoopbackNetwork& net) { return net.HttpUrl("/files/n?status=404"); }, Code(106, 404)},
    {"CutBody", [](const LoopbackNetwork& net) { return net.HttpUrl("/files/c?size=500000&cut=100000"); },
     Code(103, 18)},
    {"TimeOut",
     [](const LoopbackNetwork& net) { return net.HttpUrl("/files/t?size=1000000&stall=30&stall_after=1000"); },
     Code(102, 0), 1},
    {"Cancel",
     [](const LoopbackNetwork& net) { return net.HttpUrl("/files/c?size=8000000&trickle=2&trickle_bytes=65536"); },
     Code(105, 0), 0, true},
    {"TlsHandshake",
     [](const LoopbackNetwork& net) { return "https://127.0.0.1:" + std::to_string(net.Port("http")) + "/files/h"; },
     Code(103, 35)},
};

// At most one worker, which stays parked between transfers.
PoolLimits OneWorker() {
  return {1, [](std::size_t workers, std::size_t) { return workers >= 1; }};
}

// Two downloaders on a pool of one worker and the loopback network.
class OnOneWorker : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { curl_global_init(CURL_GLOBAL_ALL); }
  static void TearDownTestSuite() { curl_global_cleanup(); }

  void SetUp() override {
    net_ = LoopbackNetwork::Start();
    ASSERT_NE(net_, nullptr);
  }
  // Ends every transfer before the downloaders go.
  void TearDown() override {
    sync_.Shutdown();
    async_.Shutdown();
  }

  std::u16string Url(const std::string& pathAndQuery) const { return W(net_->HttpUrl(pathAndQuery)); }
  std::u16string Folder() const { return dir_.path(); }
  static std::string Content(std::uint64_t size, std::uint32_t seed) {
    return LoopbackNetwork::FileContent(0, size, seed);
  }

  std::unique_ptr<LoopbackNetwork> net_;
  lumarine_testing::TempDir dir_;
  // Declared before the downloaders: their handlers may run until they go.
  EventRecorder failing_, following_;
  CZorThreadPool workers_{OneWorker()};
  CZorThreadPoolDWEvent events_;
  CZorSyncDownload sync_{workers_};
  CZorAsyncDownload async_{workers_, events_};
};

class AfterAFailure : public OnOneWorker, public ::testing::WithParamInterface<Failure> {};

TEST_P(AfterAFailure, TheSameWorkerCompletesTheNextDownloads) {
  const Failure& failure = GetParam();
  sync_.GetSecureProtocol(nullptr)->SetVersion(failure.tlsVersion);
  if (failure.cancelAtProgress) failing_.CancelOnProgress();
  failing_.Attach(sync_.GetEventMgr(nullptr));
  EXPECT_FALSE(
      sync_.DownloadFile(W(failure.url(*net_)).c_str(), u"failed.bin", Folder().c_str(),
                                  failure.timeoutSeconds ? failure.timeoutSeconds : PatienceSeconds()));
  EXPECT_EQ(sync_.GetErrorCode(), failure.code) << U8(sync_.GetErrorText());
  ASSERT_EQ(failing_.Count(EN_EVENT_FAILED), 1);
  // A transfer that cannot be set up (here: a TLS version libcurl refuses)
  // fails without a begin event; every other one begins first.
  EXPECT_EQ(failing_.Count(EN_EVENT_BEGIN), failure.tlsVersion != 0 ? 0 : 1);
  sync_.GetSecureProtocol(nullptr)->Reset();
  sync_.GetEventMgr(nullptr)->RemoveAllHandlers();

  const int connections = net_->Connections("http");
  for (std::uint32_t i = 0; i < 2; ++i) {
    const std::u16string file = u"s" + W(std::to_string(i));
    EXPECT_TRUE(sync_.DownloadFile(Url("/files/s?size=300000&seed=" + std::to_string(i)).c_str(), file.c_str(),
                                   Folder().c_str(), PatienceSeconds()))
        << U8(sync_.GetErrorText());
    EXPECT_TRUE(dir_.Read(file) == Content(300000, i)) << U8(file.c_str());
  }
  following_.Attach(async_.GetEventMgr(nullptr));
  for (std::uint32_t i = 0; i < 2; ++i) {
    const std::u16string file = u"a" + W(std::to_string(i));
    ASSERT_TRUE(async_.DownloadFile(Url("/files/a?size=300000&seed=" + std::to_string(10 + i)).c_str(), file.c_str(),
                                    Folder().c_str()));
  }
  ASSERT_TRUE(following_.WaitForEnds(2));
  EXPECT_EQ(following_.Count(EN_EVENT_END), 2);
  for (std::uint32_t i = 0; i < 2; ++i)
    EXPECT_TRUE(dir_.Read(u"a" + W(std::to_string(i))) == Content(300000, 10 + i)) << i;
  // The worker kept (or, once, renewed) its handle: one connection served
  // all four downloads.
  EXPECT_LE(net_->Connections("http") - connections, 1);
}

INSTANTIATE_TEST_SUITE_P(EachKind, AfterAFailure, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

// The server announces 1,000 bytes and sends 50,000 on a kept-alive
// connection: the first download keeps what was announced, and the next
// one, whose request on that connection is answered by the leftover bytes,
// is sent again on a fresh connection and arrives whole, with one begin.
TEST_F(OnOneWorker, ABodyLongerThanAnnouncedSparesTheNextDownload) {
  ASSERT_TRUE(sync_.DownloadFile(Url("/files/o?size=1000&overrun=49000").c_str(), u"o.bin", Folder().c_str(),
                                 PatienceSeconds()));
  EXPECT_TRUE(dir_.Read(u"o.bin") == Content(1000, 0));
  following_.Attach(sync_.GetEventMgr(nullptr));
  EXPECT_TRUE(sync_.DownloadFile(Url("/files/n?size=300000&seed=1").c_str(), u"n.bin", Folder().c_str(),
                                 PatienceSeconds()))
      << U8(sync_.GetErrorText());
  EXPECT_TRUE(dir_.Read(u"n.bin") == Content(300000, 1));
  EXPECT_EQ(following_.Count(EN_EVENT_BEGIN), 1);
  EXPECT_EQ(following_.Types().back(), EN_EVENT_END);
}

// The server sends an answer's head and closes the kept-alive connection:
// that request failed after its answer began, so it is not sent again.
TEST_F(OnOneWorker, ARequestCutAfterItsAnswerBeganIsSentOnce) {
  ASSERT_TRUE(sync_.DownloadFile(Url("/files/k?size=10").c_str(), u"k.bin", Folder().c_str(), PatienceSeconds()));
  EXPECT_FALSE(sync_.DownloadFile(Url("/files/cut?size=500000&cut=0").c_str(), u"cut.bin", Folder().c_str(),
                                  PatienceSeconds()));
  EXPECT_EQ(sync_.GetErrorCode(), Code(103, 18));  // CURLE_PARTIAL_FILE
  EXPECT_EQ(net_->CountLog("http", "GET /files/cut"), 1);
  EXPECT_EQ(net_->Connections("http"), 1);  // it was sent on the kept connection
}

}  // namespace
}  // namespace drossel_test
