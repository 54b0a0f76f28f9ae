// The HTTP utility: server time from the Date header in its variants, and
// content length without fetching the body.
#include "drossel_fixture.h"

namespace drossel_test {
namespace {

constexpr std::int64_t kNov1994 = 784111777;  // Sun, 06 Nov 1994 08:49:37 GMT

class HttpUtility : public DrosselTest {
 protected:
  std::int64_t Time(const std::string& query) {
    return Utility()->GetServerTime(Url("/files/t?date_at=784111777&" + query).c_str(), PatienceSeconds());
  }
};

TEST_F(HttpUtility, ServerTimeFromEachDateForm) {
  EXPECT_EQ(Time(""), kNov1994);
  EXPECT_TRUE(Utility()->IsSuccess());
  EXPECT_EQ(Time("date=rfc850"), kNov1994);
  EXPECT_EQ(Time("date=lower"), kNov1994);  // header names without case
  EXPECT_EQ(Time("status=404"), kNov1994);  // any status
  EXPECT_EQ(Time("date=garbage"), -1);      // has GMT, but unreadable
  EXPECT_TRUE(Utility()->IsSuccess());
  for (const char* form : {"date=none", "date=asctime", "date=nogmt"}) {
    EXPECT_EQ(Time(form), 0) << form;
    EXPECT_EQ(Utility()->GetErrorCode(), 108ull << 32) << form;
  }
  const std::string base = "http:\\\\127.0.0.1:" + std::to_string(net_->Port("http"));
  EXPECT_EQ(Utility()->GetServerTime(W(base + "\\files\\bs?date_at=784111777").c_str(), PatienceSeconds()), kNov1994);
  EXPECT_EQ(net_->CountLog("http", "HEAD /files/bs?date_at=784111777"), 1);
  EXPECT_EQ(net_->CountLog("http", "GET"), 0);  // header-only requests
  Utility()->SetConnectTimeout(lumarine_testing::PatienceMs());
  EXPECT_EQ(Utility()->GetServerTime(SecureUrl("/files/t?date_at=0").c_str(), PatienceSeconds()), 0);
  EXPECT_TRUE(Utility()->IsSuccess());
}

TEST_F(HttpUtility, ContentLengthWithoutTheBody) {
  EXPECT_EQ(Utility()->GetContentLength(Url("/files/l?size=123456").c_str(), PatienceSeconds()), 123456);
  EXPECT_TRUE(Utility()->IsSuccess());
  EXPECT_EQ(Utility()->GetContentLength(Url("/files/l?size=123456&chunked=1").c_str(), PatienceSeconds()), -1);
  EXPECT_EQ(Utility()->GetContentLength(Url("/files/l?status=404").c_str(), PatienceSeconds()), 0);
  EXPECT_EQ(Utility()->GetErrorCode(), (106ull << 32) + 404);
  EXPECT_EQ(Utility()->GetContentLength(Url("/redirect?to=/files/l%3Fsize%3D77").c_str(), PatienceSeconds()), 77);
}

TEST_F(HttpUtility, FailuresAndRefusedUrls) {
  EXPECT_EQ(Utility()->GetServerTime(u"http://127.0.0.1:9/", 10), 0);
  EXPECT_EQ(Utility()->GetErrorCode(), (103ull << 32) + 7);  // CURLE_COULDNT_CONNECT
  const std::uint64_t code = Utility()->GetErrorCode();
  EXPECT_EQ(Utility()->GetServerTime(nullptr, 10), 0);
  EXPECT_EQ(Utility()->GetContentLength(u"", 10), 0);
  EXPECT_EQ(Utility()->GetErrorCode(), code);  // unchanged
  EXPECT_EQ(Utility()->GetServerTime(Url("/files/t").c_str(), -1), 0);
  EXPECT_EQ(Utility()->GetErrorCode(), (103ull << 32) + 43);  // a negative low-speed time is refused
  EXPECT_TRUE(Utility()->Stop(0));
}

}  // namespace
}  // namespace drossel_test
