// The project profile and DbConfig texts of the configuration helper
// through the loaded library: both directions, the value conversions, the
// deployment times and the record left as it was by writing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pelcor_library.h"
#include "deploy_record_sample.h"
#include "record_text.h"

namespace pelcor_test {
namespace {

class ProjectTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(manager_, nullptr);
    helper_ = manager_->GetConfigHelper();
    ASSERT_NE(helper_, nullptr);
  }
  void TearDown() override { manager_->FreeDeployConfig(&record_); }

  std::string DbConfig(const DeployProjectRecord& record, const char16_t* project = u"Proj") {
    const char16_t* out = nullptr;
    const char16_t* text = helper_->DbConfigToText(&record, project, &out);
    EXPECT_EQ(text, out);
    return Utf8(text);
  }
  std::uint32_t ReadDbConfig(const std::string& json) {
    return helper_->DbConfigFromText(Utf16(json).c_str(), &record_);
  }
  bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

  ManagerPtr manager_ = NewManager();
  ICloudConfigHelper* helper_ = nullptr;
  DeployProjectRecord record_;
};

TEST_F(ProjectTextsTest, ProjectProfileBothWays) {
  Put(record_.AppName, u"Shop");
  Put(record_.DbProfile, u"db");
  Put(record_.ProjectServerProfile, u"srv");
  Put(record_.RunHost, u"example");
  Put(record_.RunPort, u" +8080x");
  record_.RunWithHttps = 1;
  Put(record_.ServerSettings.webapiurl, u"https://api");
  const char16_t* out = nullptr;
  EXPECT_EQ(Utf8(helper_->ProjectProfileToText(&record_, &out)),
            R"({"AppName":"Shop","DbProfile":"db","ServerProfile":"srv","Host":"example","Port":8080,)"
            R"("Https":true,"HalvernUrl":"https://api","DbConfig":""})");
  ASSERT_TRUE(manager_->SetString(&record_.ServerSettings.dbconfig, u"conn"));
  Put(record_.RunPort, u"");
  EXPECT_TRUE(Has(Utf8(helper_->ProjectProfileToText(&record_, nullptr)), R"("Port":0,"Https":true,)"
                                                                         R"("HalvernUrl":"https://api","DbConfig":"conn"})"));

  ASSERT_EQ(helper_->ProjectProfileFromText(u"{}", &record_), CONFIG_OK);
  EXPECT_EQ(Text(record_.RunHost) + u"|" + Text(record_.RunPort), u"localhost|80");
  EXPECT_EQ(record_.RunWithHttps, 0);
  EXPECT_EQ(Text(record_.DbProfile) + Text(record_.ProjectServerProfile), u"");
  EXPECT_EQ(Text(record_.AppName), u"Shop") << "not read back";

  ASSERT_EQ(helper_->ProjectProfileFromText(u"{\"Port\":70000,\"Host\":5,\"ServerProfile\":\"s\"}", &record_),
            CONFIG_OK);
  EXPECT_EQ(Text(record_.RunPort) + Text(record_.RunHost) + Text(record_.ProjectServerProfile), u"4464localhosts");
  ASSERT_EQ(helper_->ProjectProfileFromText(u"{\"Port\":-1}", &record_), CONFIG_OK);
  EXPECT_EQ(Text(record_.RunPort), u"65535");

  EXPECT_EQ(helper_->ProjectProfileFromText(nullptr, &record_), CONFIG_OPEN_FAILED);
  EXPECT_EQ(helper_->ProjectProfileFromText(u"[]", &record_), CONFIG_INVALID_JSON);
  EXPECT_EQ(helper_->ProjectProfileFromText(u"{", &record_), CONFIG_INVALID_JSON);
  EXPECT_EQ(Text(record_.RunPort), u"65535");
  EXPECT_EQ(Utf8(helper_->ProjectProfileToText(nullptr, &out)), "") << "never the previous text";
  EXPECT_EQ(Utf8(out), "");
}

// The year, month, day, hour, minute and second of a "%d-%d-%d %d:%d:%d"
// member.
std::vector<int> TimeMember(const std::string& text, const std::string& member) {
  const std::string key = "\"" + member + "\":\"";
  const std::size_t start = text.find(key);
  if (start == std::string::npos) return {};
  std::vector<int> parts(6);
  char end = 0;
  const int read = std::sscanf(text.c_str() + start + key.size(), "%d-%d-%d %d:%d:%d%c", &parts[0], &parts[1],
                               &parts[2], &parts[3], &parts[4], &parts[5], &end);
  return read == 7 && end == '"' ? parts : std::vector<int>();
}

TEST_F(ProjectTextsTest, WritingTheDbConfigFillsMissingTimesInTheTextOnly) {
  Put(record_.OnlineTime, u"2020-1-1 0:0:0");
  const DeployProjectRecord before = record_;
  const std::string text = DbConfig(record_);
  EXPECT_EQ(std::memcmp(&before, &record_, sizeof record_), 0) << "the record is not changed";
  EXPECT_FALSE(Has(text, "2020-1-1 0:0:0"));
  const std::vector<int> online = TimeMember(text, "AvailableTime");
  const std::vector<int> offline = TimeMember(text, "Expiration");
  ASSERT_EQ(online.size(), 6u) << text;
  ASSERT_EQ(offline.size(), 6u) << text;
  EXPECT_EQ(offline[0], online[0] + 10);
  const bool leap_day = online[1] == 2 && online[2] == 29;
  EXPECT_EQ(offline[2], leap_day ? 28 : online[2]);
  EXPECT_EQ(std::vector<int>(offline.begin() + 3, offline.end()), std::vector<int>(online.begin() + 3, online.end()));

  Put(record_.OfflineTime, u"2030-1-1 0:0:0");
  EXPECT_TRUE(Has(DbConfig(record_), R"("AvailableTime":"2020-1-1 0:0:0","Expiration":"2030-1-1 0:0:0")"));
}

TEST_F(ProjectTextsTest, DbConfigValueConversions) {
  record_.Signing.SignOption = 1;
  record_.RuntimePlatform = 3;
  record_.Is32Bit = 1;
  record_.FullDownload = 1;
  record_.AlwaysRunCommand = 0;
  record_.PackageOutputExe = 0;
  record_.GeneratePackage = 1;
  record_.LocalServer = 1;
  Put(record_.ServerProfile, u"ignored");
  record_.RuntimeModules = new ModuleNode{new ModuleNode{}};
  Put(record_.RuntimeModules->Name, u"TX TextControl ActiveX 30.0");
  Put(record_.RuntimeModules->Next->Name, u"Grid");
  record_.RegisterFiles = new FileNameNode{};
  Put(record_.RegisterFiles->Name, u"a.ocx");
  record_.IniConfigFiles = new IniFileNode{};
  record_.IniConfigFiles->UpdateType = 0;
  const std::string text = DbConfig(record_, nullptr);
  EXPECT_TRUE(Has(text, R"("SigningType":2,)"));
  EXPECT_TRUE(Has(text, R"("PackageRuntimeFile":true,"RuntimePlatform":[1,1],"DeploymentMode":1,)"));
  EXPECT_TRUE(Has(text, R"("Platform":0,)"));
  EXPECT_TRUE(Has(text, R"("DownloadAsNeeded":false,)"));
  EXPECT_TRUE(Has(text, R"("ExecuteWhenAppStart":true})"));
  EXPECT_TRUE(Has(text, R"("Server":"Local","OutputPath":"","UploadLauncherWhenNotFound":false,)"
                        R"("PackageAsZippedFile":true,)"));
  EXPECT_TRUE(Has(text, R"("RuntimeModules":{"TX TextControl ActiveX":true,"Grid":true})"));
  EXPECT_TRUE(Has(text, R"("RegisterFiles":[{"FileName":"a.ocx","Selected":true}],)"
                        R"("IniConfigFiles":[{"FileName":"","UpdateStrategy":0}],"Packages":{}})"));
  EXPECT_TRUE(Has(text, R"("AppName":"","ProjectName":"","ProjectDir":"",)"));
  EXPECT_EQ(text.rfind(R"({"DbConfig":"","RunConfig":{"RunOptions":{"Host":"","Port":0,)", 0), 0u) << text;

  ASSERT_EQ(ReadDbConfig(text), CONFIG_OK);
  EXPECT_EQ(record_.LocalServer, 1);
  EXPECT_EQ(Text(record_.ServerProfile), u"");
  EXPECT_EQ(Names(record_.RuntimeModules), (std::vector<std::u16string>{u"Core Runtime Files", u"HTTPClient Support",
                                                                          u"TX TextControl ActiveX", u"Grid"}));

  ASSERT_EQ(ReadDbConfig(R"({"DbConfig":"x","DeploymentConfig":{"RuntimeOptions":{"RuntimeModules":)"
                         R"({"A":true,"B":false,"C":1}},"WebServerOptions":{"Server":"LOCAL","RuntimePlatform":[1],)"
                         R"("DeploymentMode":2,"LauncherName":"DEFAULT"}},)"
                         R"("BuildConfig":{"Platform":3,"SigningOption":{"SigningType":2}}})"),
            CONFIG_OK);
  EXPECT_EQ(Names(record_.RuntimeModules),
            (std::vector<std::u16string>{u"Core Runtime Files", u"HTTPClient Support", u"A"}));
  EXPECT_EQ(record_.LocalServer, 1);
  EXPECT_EQ(record_.RuntimePlatform, 1);
  EXPECT_EQ(record_.GeneratePackage, 0);
  EXPECT_EQ(record_.DefaultLauncher, 1);
  EXPECT_EQ(record_.Is32Bit, 0);
  EXPECT_EQ(record_.Signing.SignOption, 1);
  ASSERT_EQ(ReadDbConfig(R"({"DbConfig":"","DeploymentConfig":{"WebServerOptions":{"Server":"prod"}}})"), CONFIG_OK);
  EXPECT_EQ(record_.LocalServer, 0);
  EXPECT_EQ(Text(record_.ServerProfile), u"prod");
  EXPECT_EQ(record_.ServerSettings.dbconfig, nullptr);
}

TEST_F(ProjectTextsTest, DbConfigRoundTripsEveryFieldItCarries) {
  DeployProjectRecord saved;
  FillDeployRecord(*manager_, saved);
  const std::string text = DbConfig(saved);
  manager_->FreeDeployConfig(&saved);
  ASSERT_EQ(ReadDbConfig(text), CONFIG_OK);

  // What was read writes the same text again, the two modules that every
  // read list begins with aside.
  std::string expected = text;
  const std::string modules = R"("RuntimeModules":{)";
  expected.insert(expected.find(modules) + modules.size(), R"("Core Runtime Files":true,"HTTPClient Support":true,)");
  EXPECT_EQ(DbConfig(record_), expected);
  EXPECT_EQ(Text(record_.OfflineTime), u"2034-2-28 1:2:3");
  EXPECT_EQ(Text(record_.PredownloadPackages->Next->Name), u"empty.zip");
  EXPECT_EQ(record_.FullDownload, 1);
}

TEST_F(ProjectTextsTest, ADbConfigWithoutSectionsEmptiesTheListsAndSetsTheDefaults) {
  FillDeployRecord(*manager_, record_);
  ASSERT_EQ(ReadDbConfig(R"({"DbConfig":"db","RunConfig":[],"BuildConfig":3,)"
                         R"("BuildConfig2":{"ExternalFiles":{"Files":["kept?"]}}})"),
            CONFIG_OK);
  EXPECT_EQ(std::u16string(OutStringText(record_.ServerSettings.dbconfig)), u"db");
  EXPECT_EQ(Text(record_.RunHost), u"localhost");
  EXPECT_EQ(Text(record_.RunPort), u"80");
  EXPECT_EQ(record_.FullDownload, 1);
  EXPECT_EQ(record_.Is32Bit, 1);
  EXPECT_EQ(record_.PackageOutputExe, 1);
  EXPECT_EQ(record_.ServerSettings.generateopts, 1);
  EXPECT_EQ(record_.PredownloadFiles, nullptr);
  EXPECT_EQ(record_.InstantDownloadFiles, nullptr);
  EXPECT_EQ(record_.RegisterFiles, nullptr);
  EXPECT_EQ(record_.IniConfigFiles, nullptr);
  EXPECT_EQ(record_.PredownloadPackages, nullptr);
  EXPECT_EQ(record_.BuildLibraries, nullptr);
  EXPECT_EQ(Names(record_.RuntimeModules),
            (std::vector<std::u16string>{u"Core Runtime Files", u"HTTPClient Support"}));
  EXPECT_EQ(Text(record_.ServerSettings.webapihost), u"");
  EXPECT_EQ(record_.ServerType, 0);
}

TEST_F(ProjectTextsTest, DbConfigTextsThatCannotBeReadChangeNothing) {
  Put(record_.AppName, u"kept");
  ASSERT_TRUE(manager_->SetString(&record_.ServerSettings.dbconfig, u"kept"));
  EXPECT_EQ(ReadDbConfig(R"({"RunConfig":{},"BuildConfig":{"AppName":"x"}})"), CONFIG_MISSING_MEMBER);
  EXPECT_EQ(ReadDbConfig(R"({"DbConfig":"x",)"), CONFIG_INVALID_JSON);
  EXPECT_EQ(ReadDbConfig(R"(["DbConfig"])"), CONFIG_INVALID_JSON);
  EXPECT_EQ(helper_->DbConfigFromText(nullptr, &record_), CONFIG_OPEN_FAILED);
  EXPECT_EQ(helper_->DbConfigFromText(u"{\"DbConfig\":\"\"}", nullptr), CONFIG_OPEN_FAILED);
  EXPECT_EQ(Text(record_.AppName), u"kept");
  EXPECT_EQ(std::u16string(OutStringText(record_.ServerSettings.dbconfig)), u"kept");

  EXPECT_FALSE(DbConfig(record_).empty());
  EXPECT_EQ(Utf8(helper_->DbConfigToText(nullptr, u"p", nullptr)), "") << "never the previous text";
}

}  // namespace
}  // namespace pelcor_test
