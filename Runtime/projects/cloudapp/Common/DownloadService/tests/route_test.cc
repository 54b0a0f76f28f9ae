// Which road a request takes: HTTP, SOCKS4A and SOCKS5 proxies (their logs
// prove it), the bypass list, loopback hosts, the environment's proxy
// variables, and each TLS setting over HTTPS.
#include "drossel_fixture.h"
#include "testing/scoped_env.h"

namespace drossel_test {
namespace {

class Route : public DrosselTest {
 protected:
  bool Fetch(const std::u16string& url, const char16_t* file) {
    return Sync()->DownloadFile(url.c_str(), file, Folder().c_str(), PatienceSeconds());
  }
  IInternetProxy* Proxy() { return Sync()->GetInternetProxy(nullptr); }
};

TEST_F(Route, EachProxyKindCarriesTheDownload) {
  ASSERT_TRUE(Proxy()->SetHttpProxy(ProxyAddress("http_proxy").c_str()));
  ASSERT_TRUE(Fetch(ProxiedUrl("/files/p?size=5000&seed=1"), u"http.bin"));
  EXPECT_EQ(ReadFile(u"http.bin"), Content(5000, 1));
  EXPECT_EQ(net_->CountLog("http_proxy", "GET http://files.test:"), 1);

  const std::u16string secure = W("https://files.test:" + std::to_string(net_->Port("https")) + "/files/p?size=5000");
  ASSERT_TRUE(Fetch(secure, u"connect.bin"));
  EXPECT_EQ(ReadFile(u"connect.bin"), Content(5000));
  EXPECT_EQ(net_->CountLog("http_proxy", "CONNECT files.test:"), 1);

  ASSERT_TRUE(Proxy()->SetSocks4Proxy(ProxyAddress("socks4").c_str()));
  ASSERT_TRUE(Fetch(ProxiedUrl("/files/p?size=5000&seed=2"), u"socks4.bin"));
  EXPECT_EQ(ReadFile(u"socks4.bin"), Content(5000, 2));
  EXPECT_EQ(net_->CountLog("socks4", "socks4a CONNECT files.test:"), 1);

  ASSERT_TRUE(Proxy()->SetSocks5Proxy(ProxyAddress("socks5").c_str()));
  ASSERT_TRUE(Fetch(ProxiedUrl("/files/p?size=5000&seed=3"), u"socks5.bin"));
  EXPECT_EQ(ReadFile(u"socks5.bin"), Content(5000, 3));
  EXPECT_EQ(net_->CountLog("socks5", "CONNECT files.test:"), 1);
}

TEST_F(Route, LoopbackAndBypassedHostsGoDirect) {
  ASSERT_TRUE(Proxy()->SetHttpProxy(ProxyAddress("http_proxy").c_str()));
  ASSERT_TRUE(Fetch(Url("/files/d?size=10"), u"direct.bin"));
  ASSERT_TRUE(Fetch(W("http://LocalHost:" + std::to_string(net_->Port("http")) + "/files/d?size=10"), u"lh.bin"));
  EXPECT_EQ(net_->Log().size(), 2u);  // both straight to the file server
  EXPECT_EQ(net_->CountLog("http_proxy", ""), 0);

  // A bypassed name does not go through the proxy, so it cannot resolve.
  lumarine_testing::TempDir registry;
  ASSERT_TRUE(registry.Write(u"r.reg",
                             "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]\r\n"
                             "\"ProxyEnable\"=dword:00000001\r\n\"ProxyServer\"=\"http=" +
                                 U8(ProxyAddress("http_proxy").c_str()) + "\"\r\n\"ProxyOverride\"=\"*.TEST\"\r\n"));
  lumarine_testing::ScopedEnv reg("LUMARINE_REGISTRY", registry.native_path() + "/r.reg");
  ASSERT_TRUE(Proxy()->LoadSystemProxy());
  EXPECT_FALSE(Fetch(ProxiedUrl("/files/d?size=10"), u"bypassed.bin"));
  EXPECT_EQ(Sync()->GetDetailCode(), 6);  // CURLE_COULDNT_RESOLVE_HOST
  EXPECT_EQ(net_->CountLog("http_proxy", ""), 0);
}

TEST_F(Route, EnvironmentProxiesNeverOverrideTheCallersChoice) {
  // A proxy variable pointing nowhere: ignored without a proxy of our own...
  lumarine_testing::ScopedEnv http("http_proxy", "http://127.0.0.1:9");
  lumarine_testing::ScopedEnv all("ALL_PROXY", "socks5://127.0.0.1:9");
  ASSERT_TRUE(Fetch(Url("/files/n?size=10"), u"none.bin"));
  // ...and with one.
  ASSERT_TRUE(Proxy()->SetSocks5Proxy(ProxyAddress("socks5").c_str()));
  ASSERT_TRUE(Fetch(ProxiedUrl("/files/n?size=10"), u"mine.bin"));
  EXPECT_EQ(net_->CountLog("socks5", "CONNECT files.test:"), 1);
}

TEST_F(Route, SettingsAreCopiedWhenTheDownloadIsRequested) {
  // An unknown proxy type can only come from a corrupted setting; a proxy
  // changed while a transfer waits in the queue does not affect it.
  EventRecorder& events = events_;
  events.Attach(Async()->GetEventMgr(nullptr));
  IInternetProxy* proxy = Async()->GetInternetProxy(nullptr);
  ASSERT_TRUE(proxy->SetHttpProxy(ProxyAddress("http_proxy").c_str()));
  ASSERT_TRUE(Async()->DownloadFile(ProxiedUrl("/files/c?size=100&stall_before=1").c_str(), u"c.bin",
                                    Folder().c_str()));
  proxy->Reset();
  ASSERT_TRUE(events.WaitForEnds(1));
  EXPECT_EQ(events.Events().back().type, EN_EVENT_END);
  EXPECT_EQ(net_->CountLog("http_proxy", "GET http://files.test:"), 1);
}

TEST_F(Route, EachTlsSetting) {
  ISecureProtocol* tls = Sync()->GetSecureProtocol(nullptr);
  for (int version : {0, 3, 4, 5, 9}) {
    tls->SetVersion(version);
    EXPECT_TRUE(Fetch(SecureUrl("/files/t?size=3000"), u"t.bin")) << version;
    EXPECT_EQ(ReadFile(u"t.bin"), Content(3000));
  }
  for (int version : {1, 2}) {  // SSL 2 and 3: refused by libcurl
    tls->SetVersion(version);
    EXPECT_FALSE(Fetch(SecureUrl("/files/t?size=3000"), u"t.bin")) << version;
    EXPECT_EQ(Sync()->GetErrorCode(), (103ull << 32) + 43);
    EXPECT_TRUE(Fetch(Url("/files/t?size=3000"), u"t.bin"));  // plain http ignores it
  }
}

}  // namespace
}  // namespace drossel_test
