// The loopback test network itself, checked once with the curl command
// line: every endpoint that the download tests rely on, and the proxies'
// logs proving the route.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "testing/loopback_network.h"
#include "testing/temp_dir.h"

namespace {

using lumarine_testing::LoopbackNetwork;

class LoopbackNetworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    net_ = LoopbackNetwork::Start();
    ASSERT_NE(net_, nullptr);
  }

  // Runs curl; returns what -w printed. The body lands in body_.
  std::string Curl(const std::string& options, const std::string& url) {
    const std::string out = dir_.native_path() + "/body";
    std::remove(out.c_str());
    const std::string command = "curl -s -k --max-time 20 -o '" + out + "' -w '%{http_code} %{exitcode}' " + options +
                                " '" + url + "' 2>/dev/null";
    std::string printed;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
      char buffer[256];
      while (std::fgets(buffer, sizeof buffer, pipe)) printed += buffer;
      ::pclose(pipe);
    }
    body_ = dir_.Read(u"body").value_or("");
    return printed;
  }

  std::string Proxy(const std::string& kind, const std::string& server) {
    return kind + " 127.0.0.1:" + std::to_string(net_->Port(server));
  }

  std::unique_ptr<LoopbackNetwork> net_;
  lumarine_testing::TempDir dir_;
  std::string body_;
};

TEST_F(LoopbackNetworkTest, FileServersAnswerWholeRangedAndChunkedRequests) {
  EXPECT_EQ(Curl("", net_->HttpUrl("/files/a?size=100000&seed=7")), "200 0");
  EXPECT_EQ(body_, LoopbackNetwork::FileContent(0, 100000, 7));
  EXPECT_EQ(Curl("-r 1000-1999", net_->HttpUrl("/files/a?size=5000")), "206 0");
  EXPECT_EQ(body_, LoopbackNetwork::FileContent(1000, 2000));
  EXPECT_EQ(Curl("-r 5000-", net_->HttpUrl("/files/a?size=5000")), "416 0");
  EXPECT_EQ(Curl("-r 10-", net_->HttpUrl("/files/a?size=5000&ignore_range=1")), "200 0");
  EXPECT_EQ(body_.size(), 5000u);
  EXPECT_EQ(Curl("", net_->HttpUrl("/files/a?size=70000&chunked=1")), "200 0");
  EXPECT_EQ(body_, LoopbackNetwork::FileContent(0, 70000));
  EXPECT_EQ(Curl("", net_->HttpsUrl("/files/a?size=3000")), "200 0");
  EXPECT_EQ(body_, LoopbackNetwork::FileContent(0, 3000));
  EXPECT_EQ(net_->CountLog("http", "Range: bytes=1000-1999"), 1);
  EXPECT_EQ(net_->CountLog("https", "GET /files/a?size=3000"), 1);
  // One connection per curl run; two URLs of one run share a connection.
  EXPECT_EQ(net_->Connections("http"), 5);
  EXPECT_EQ(net_->Connections("https"), 1);
  const std::string url = net_->HttpUrl("/files/k?size=10");
  EXPECT_EQ(Curl("-o /dev/null '" + url + "'", url), "200 0200 0");
  EXPECT_EQ(net_->Connections("http"), 6);
}

TEST_F(LoopbackNetworkTest, FaultsStatusesAndRedirects) {
  EXPECT_EQ(Curl("", net_->HttpUrl("/files/a?size=100000&cut=4000")), "200 18");  // partial file
  EXPECT_EQ(body_, LoopbackNetwork::FileContent(0, 4000));
  EXPECT_EQ(Curl("--max-time 1", net_->HttpUrl("/files/a?size=10&stall=5")), "200 28");
  EXPECT_EQ(Curl("", net_->HttpUrl("/files/a?size=6&trickle=20")), "200 0");
  EXPECT_EQ(body_, LoopbackNetwork::FileContent(0, 6));
  EXPECT_EQ(Curl("", net_->HttpUrl("/files/a?status=404")), "404 0");
  EXPECT_FALSE(body_.empty());
  EXPECT_EQ(Curl("", net_->HttpUrl("/files/a?status=404&body=0")), "404 0");
  EXPECT_TRUE(body_.empty());
  EXPECT_EQ(Curl("-L", net_->HttpUrl("/redirect?to=/files/r%3Fsize%3D9")), "200 0");
  EXPECT_EQ(body_.size(), 9u);
  EXPECT_EQ(Curl("-L --max-redirs 5", net_->HttpUrl("/loop")), "302 47");
  EXPECT_EQ(net_->CountLog("http", "GET /loop"), 6);
}

TEST_F(LoopbackNetworkTest, DateHeaderVariants) {
  const std::string head = "-I";
  Curl(head + " -D '" + dir_.native_path() + "/h'", net_->HttpUrl("/files/a?date_at=784111777"));
  EXPECT_NE(dir_.Read(u"h").value_or("").find("Date: Sun, 06 Nov 1994 08:49:37 GMT"), std::string::npos);
  Curl(head + " -D '" + dir_.native_path() + "/h'", net_->HttpUrl("/files/a?date=rfc850&date_at=784111777"));
  EXPECT_NE(dir_.Read(u"h").value_or("").find("Date: Sunday, 06-Nov-94 08:49:37 GMT"), std::string::npos);
  Curl(head + " -D '" + dir_.native_path() + "/h'", net_->HttpUrl("/files/a?date=asctime&date_at=784111777"));
  EXPECT_NE(dir_.Read(u"h").value_or("").find("Date: Sun Nov  6 08:49:37 1994"), std::string::npos);
  Curl(head + " -D '" + dir_.native_path() + "/h'", net_->HttpUrl("/files/a?date=lower&date_at=0"));
  EXPECT_NE(dir_.Read(u"h").value_or("").find("date: Thu, 01 Jan 1970 00:00:00 GMT"), std::string::npos);
  Curl(head + " -D '" + dir_.native_path() + "/h'", net_->HttpUrl("/files/a?date=none"));
  EXPECT_EQ(dir_.Read(u"h").value_or("").find("Date"), std::string::npos);
}

TEST_F(LoopbackNetworkTest, ProxiesReachTheServersAndLogTheRoute) {
  const std::string http = "http://files.test:" + std::to_string(net_->Port("http")) + "/files/p?size=2000";
  const std::string https = "https://files.test:" + std::to_string(net_->Port("https")) + "/files/p?size=2000";
  EXPECT_EQ(Curl(Proxy("-x", "http_proxy"), http), "200 0");
  EXPECT_EQ(body_, LoopbackNetwork::FileContent(0, 2000));
  EXPECT_EQ(Curl(Proxy("-x", "http_proxy"), https), "200 0");
  EXPECT_EQ(Curl(Proxy("--socks4a", "socks4"), http), "200 0");
  EXPECT_EQ(Curl(Proxy("--socks4", "socks4"), net_->HttpUrl("/files/p?size=2000")), "200 0");
  EXPECT_EQ(Curl(Proxy("--socks5-hostname", "socks5"), http), "200 0");
  EXPECT_EQ(body_, LoopbackNetwork::FileContent(0, 2000));
  EXPECT_EQ(net_->CountLog("http_proxy", "GET http://files.test:"), 1);
  EXPECT_EQ(net_->CountLog("http_proxy", "CONNECT files.test:"), 1);
  EXPECT_EQ(net_->CountLog("socks4", "socks4a CONNECT files.test:"), 1);
  EXPECT_EQ(net_->CountLog("socks4", "socks4 CONNECT 127.0.0.1:"), 1);
  EXPECT_EQ(net_->CountLog("socks5", "CONNECT files.test:"), 1);
  EXPECT_EQ(Curl("", http), "000 6");  // the name resolves only through a proxy
}

}  // namespace
