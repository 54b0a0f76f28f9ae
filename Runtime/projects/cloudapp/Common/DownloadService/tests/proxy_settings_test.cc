// Proxy and TLS settings: the registry's proxy strings, the bypass list,
// the explicit setters and the TLS-version mapping.
#include <gtest/gtest.h>

#include <curl/curl.h>

#include <string>

#include "platform/unicode.h"
#include "system_proxy.h"
#include "testing/scoped_env.h"
#include "testing/temp_dir.h"
#include "zor_cfg_proxy.h"
#include "zor_cfg_ssl.h"

namespace {

using lumarine_testing::ScopedEnv;
using lumarine_testing::TempDir;

std::string Utf8(platform::WStringView text) { return platform::Utf16ToUtf8(text); }

struct Choice {
  const char16_t* proxyServer;
  int type;
  const char* address;
};

TEST(SystemProxy, ProxyServerValuesChooseOneProxy) {
  const Choice cases[] = {
      {u"host:8080", 1, "host:8080"},
      {u"http=a:80;https=b:443", 1, "a:80"},
      {u"https=b:443", 1, "b:443"},
      {u"https=b:443;http=a:80", 1, "a:80"},
      {u"socks=s:1080", 2, "s:1080"},
      {u"ftp=f:21;socks=s:1080", 2, "s:1080"},
      {u"http=a:80;socks=s:1080", 1, "a:80"},
      {u"ftp=f:21", 0, ""},
      {u"one:1;two:2", 0, ""},
      {u"", 0, ""},
      // A later entry with the same keyword wins; blanks around entries go.
      {u"http=a:80; http=c:81", 1, "c:81"},
      // A trailing ";" (or empty entries) changes nothing.
      {u"host:8080;", 1, "host:8080"},
      {u";;host:8080;;", 1, "host:8080"},
      {u"http=a:80;", 1, "a:80"},
      // Keywords are found without case and anywhere in the entry.
      {u"HTTP=A:80", 1, "A:80"},
      {u"Socks=s:1", 2, "s:1"},
      {u"xhttp=a:80", 1, "a:80"},
      {u"http=", 0, ""},
  };
  for (const Choice& c : cases) {
    const ProxySettings chosen = ChooseSystemProxy(c.proxyServer);
    EXPECT_EQ(chosen.type, c.type) << Utf8(c.proxyServer);
    EXPECT_EQ(Utf8(chosen.address), c.address) << Utf8(c.proxyServer);
  }
}

TEST(ProxyBypass, EntriesAreUnanchoredWildcardsWithoutCase) {
  ProxySettings settings;
  settings.bypass = u"*.corp;<local>";
  EXPECT_TRUE(settings.IsBypassed(u"build.corp"));
  EXPECT_TRUE(settings.IsBypassed(u"x.corp.example.org"));  // not anchored
  EXPECT_TRUE(settings.IsBypassed(u"BUILD.CORP"));
  EXPECT_FALSE(settings.IsBypassed(u"intranet"));  // "<local>" is skipped
  EXPECT_FALSE(settings.IsBypassed(u""));

  settings.bypass = u"10.*";
  EXPECT_TRUE(settings.IsBypassed(u"10.1.2.3"));
  EXPECT_TRUE(settings.IsBypassed(u"host10.example"));
  EXPECT_FALSE(settings.IsBypassed(u"192.168.0.1"));

  settings.bypass = u" a*c ; ;; *** ";
  EXPECT_TRUE(settings.IsBypassed(u"xabcx"));
  EXPECT_TRUE(settings.IsBypassed(u"anything"));  // "***" matches every host

  settings.bypass = u"a*b*a";
  EXPECT_TRUE(settings.IsBypassed(u"aba"));
  EXPECT_FALSE(settings.IsBypassed(u"ab"));  // pieces match in order, without overlap

  settings.bypass = u"";
  EXPECT_FALSE(settings.IsBypassed(u"any"));
}

TEST(ProxySetting, SettersResetAndSnapshot) {
  CZorCfgProxy proxy;
  EXPECT_FALSE(proxy.IsSet());
  EXPECT_EQ(proxy.GetProxyType(), 0);
  EXPECT_FALSE(proxy.SetHttpProxy(nullptr));
  EXPECT_EQ(proxy.GetProxyType(), 0);

  EXPECT_TRUE(proxy.SetSocks5Proxy(u"127.0.0.1:1080"));
  EXPECT_EQ(proxy.GetProxyType(), 3);
  EXPECT_EQ(Utf8(proxy.GetProxy()), "127.0.0.1:1080");
  const ProxySettings before = proxy.Snapshot();

  EXPECT_FALSE(proxy.SetSocks4Proxy(u""));  // clears the address, still sets the type
  EXPECT_EQ(proxy.GetProxyType(), 2);
  EXPECT_FALSE(proxy.IsSet());
  EXPECT_EQ(before.type, 3);  // a snapshot does not follow later changes
  EXPECT_EQ(Utf8(before.address), "127.0.0.1:1080");

  EXPECT_TRUE(proxy.SetHttpProxy(u"p:3128"));
  EXPECT_TRUE(proxy.Reset());
  EXPECT_FALSE(proxy.IsSet());
  EXPECT_EQ(proxy.GetProxyType(), 0);
  EXPECT_FALSE(proxy.IsBypassed(nullptr));
}

class SystemProxyRegistry : public ::testing::Test {
 protected:
  void UseRegistry(const std::string& internetSettings) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]\r\n" +
                             internetSettings;
    ASSERT_TRUE(dir_.Write(u"registry.reg", text));
  }

  TempDir dir_;
  ScopedEnv registry_{"LUMARINE_REGISTRY", dir_.native_path() + "/registry.reg"};
};

TEST_F(SystemProxyRegistry, EnabledSettingsGiveTheProxyAndBypassList) {
  UseRegistry("\"ProxyEnable\"=dword:00000001\r\n\"ProxyServer\"=\"http=a:80;https=b:443\"\r\n"
              "\"ProxyOverride\"=\"*.corp;<local>\"\r\n");
  CZorCfgProxy proxy;
  EXPECT_TRUE(proxy.LoadSystemProxy());
  EXPECT_EQ(proxy.GetProxyType(), 1);
  EXPECT_EQ(Utf8(proxy.GetProxy()), "a:80");
  EXPECT_TRUE(proxy.IsBypassed(u"x.corp"));
  EXPECT_FALSE(proxy.IsBypassed(u"x.org"));
}

TEST_F(SystemProxyRegistry, DisabledOrMissingSettingsGiveNoProxy) {
  CZorCfgProxy proxy;
  proxy.SetHttpProxy(u"before:1");
  UseRegistry("\"ProxyEnable\"=dword:00000000\r\n\"ProxyServer\"=\"a:80\"\r\n");
  EXPECT_FALSE(proxy.LoadSystemProxy());
  EXPECT_FALSE(proxy.IsSet());

  proxy.SetHttpProxy(u"before:1");
  UseRegistry("\"ProxyServer\"=\"a:80\"\r\n");  // no ProxyEnable
  EXPECT_FALSE(proxy.LoadSystemProxy());
  EXPECT_FALSE(proxy.IsSet());

  ASSERT_TRUE(dir_.Write(u"registry.reg", "Windows Registry Editor Version 5.00\r\n"));  // no key at all
  proxy.SetHttpProxy(u"before:1");
  EXPECT_FALSE(proxy.LoadSystemProxy());
  EXPECT_EQ(proxy.GetProxyType(), 0);
}

TEST_F(SystemProxyRegistry, ValuesOfAnyLengthAndTypeAreRead) {
  std::string longOverride;
  while (longOverride.size() < 9000) longOverride += "host" + std::to_string(longOverride.size()) + ".lan;";
  longOverride += "last.example";
  // ProxyServer stored as binary bytes is read as text up to its first zero.
  UseRegistry("\"ProxyEnable\"=hex:01\r\n\"ProxyServer\"=hex:73,3a,31,00,ff\r\n\"ProxyOverride\"=\"" +
              longOverride + "\"\r\n");
  CZorCfgProxy proxy;
  EXPECT_TRUE(proxy.LoadSystemProxy());
  EXPECT_EQ(Utf8(proxy.GetProxy()), "s:1");
  EXPECT_TRUE(proxy.IsBypassed(u"last.example"));
  EXPECT_TRUE(proxy.IsBypassed(u"host0.lan"));
}

TEST_F(SystemProxyRegistry, AnUnreadableOverrideKeepsTheBypassList) {
  UseRegistry("\"ProxyEnable\"=dword:00000001\r\n\"ProxyServer\"=\"a:80\"\r\n\"ProxyOverride\"=\"keep.me\"\r\n");
  CZorCfgProxy proxy;
  ASSERT_TRUE(proxy.LoadSystemProxy());
  UseRegistry("\"ProxyEnable\"=dword:00000001\r\n\"ProxyServer\"=\"ftp=f:21\"\r\n");
  EXPECT_TRUE(proxy.LoadSystemProxy());  // enabled, but no usable proxy
  EXPECT_FALSE(proxy.IsSet());
  EXPECT_TRUE(proxy.IsBypassed(u"keep.me"));
}

TEST(TlsSetting, VersionsMapToLibcurlsMinimumVersions) {
  EXPECT_EQ(CurlSslVersion(0), CURL_SSLVERSION_DEFAULT);
  EXPECT_EQ(CurlSslVersion(1), CURL_SSLVERSION_SSLv2);
  EXPECT_EQ(CurlSslVersion(2), CURL_SSLVERSION_SSLv3);
  EXPECT_EQ(CurlSslVersion(3), CURL_SSLVERSION_TLSv1_0);
  EXPECT_EQ(CurlSslVersion(4), CURL_SSLVERSION_TLSv1_1);
  EXPECT_EQ(CurlSslVersion(5), CURL_SSLVERSION_TLSv1_2);
  EXPECT_EQ(CurlSslVersion(6), CURL_SSLVERSION_DEFAULT);
  EXPECT_EQ(CurlSslVersion(-1), CURL_SSLVERSION_DEFAULT);

  CZorCfgSSL ssl;
  EXPECT_FALSE(ssl.IsSet());
  EXPECT_TRUE(ssl.SetVersion(42));
  EXPECT_TRUE(ssl.IsSet());
  EXPECT_EQ(ssl.GetVersion(), 42);
  ssl.Reset();
  EXPECT_FALSE(ssl.IsSet());
}

}  // namespace
