// The configuration helper's launcher sections and launcher-profile text
// through the loaded library.
#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "pelcor_library.h"
#include "record_text.h"

namespace pelcor_test {
namespace {

class ConfigHelperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(manager_, nullptr);
    helper_ = manager_->GetConfigHelper();
    ASSERT_NE(helper_, nullptr);
  }
  void TearDown() override { manager_->FreeServerProfile(&web_); }

  std::string Sections(const LauncherSettingsRecord* record) {
    const char16_t* out = nullptr;
    const char16_t* text = helper_->SectionsToText(record, &out);
    EXPECT_EQ(text, out);
    return Utf8(text);
  }
  std::uint32_t Read(const std::string& json, std::int32_t section) {
    return helper_->SectionFromText(Utf16(json).c_str(), &record_, section);
  }

  ManagerPtr manager_ = NewManager();
  ICloudConfigHelper* helper_ = nullptr;
  LauncherSettingsRecord record_;
  ServerProfileRecord web_;
};

TEST_F(ConfigHelperTest, SectionsAreNullWhenTheRecordLacksThem) {
  EXPECT_EQ(manager_->GetConfigHelper(), helper_) << "one helper per manager";
  const std::string nulls = R"({"LauncherInfo":null,"LauncherConfig":null,"WebServerConfig":null})";
  EXPECT_EQ(Sections(nullptr), nulls);
  EXPECT_EQ(Sections(&record_), nulls);
  Put(record_.LauncherName, u"Shop");
  EXPECT_EQ(Sections(&record_),
            R"({"LauncherInfo":null,"LauncherConfig":{"Server":"","ZipPath":"","RuntimeVersion":"",)"
            R"("RuntimePlatform":[0,0],"UploadMode":1,"LauncherProfile":{"Name":"Shop","Path":"",)"
            R"("LauncherMode":0}},"WebServerConfig":null})");
}

TEST_F(ConfigHelperTest, SectionsCarryTheRecordInTheirOwnNamesAndConversions) {
  Put(record_.RuntimeVersion, u"22.0");
  Put(record_.LauncherName, u"Shop");
  Put(record_.PackageTitle, u"T");
  record_.InstallMode = 2;
  record_.AppPathOption = 1;   // fixed: may not change
  record_.InstallPathOption = 0;
  record_.Signing.SignOption = 1;
  Put(record_.Signing.PfxFile, u"c.pfx");
  Put(record_.ServerProfile, u"Local");
  record_.RuntimePlatform = 2;
  record_.UploadServer = 1;  // upload off
  Put(web_.WebRootPath, u"/www");
  web_.RemoteServers = new RemoteServerNode{};
  Put(web_.RemoteServers->ServerProfile, u"ftp");
  Put(web_.RemoteServers->Host, u"h");
  web_.RemoteServers->Port = 2121;
  record_.WebServer = &web_;
  EXPECT_EQ(Sections(&record_),
            R"({"LauncherInfo":{"Name":"Shop","Logo":"","Title":"T","Version":"22.0","ProductName":"",)"
            R"("Description":"","AppInstallPath":"","LauncherSavePath":"","LauncherInstallPath":"",)"
            R"("Background":"","UpdateImage":"","LoadingImage":"","MainHeading":"","LauncherMode":2,)"
            R"("SigningConfig":{"Script":"","Password":"","Certificate":"c.pfx","ToolLocation":"",)"
            R"("TimestampServer":"","SigningType":2,"SignatureAlgorithm":""},"AllowChangeAppInstallPath":false,)"
            R"("AllowChangeLauncherInstallPath":true},)"
            R"("LauncherConfig":{"Server":"Local","ZipPath":"","RuntimeVersion":"22.0","RuntimePlatform":[0,1],)"
            R"("UploadMode":0,"LauncherProfile":{"Name":"Shop","Path":"","LauncherMode":2}},)"
            R"("WebServerConfig":[{"Options":{"Root":"/www"},"ProfileName":"Local","ServerType":0},)"
            R"({"Options":{"Host":"h","Port":2121,"Username":"","Password":"","Encryption":0},)"
            R"("ProfileName":"ftp","ServerType":1}]})");

  // A selected launcher profile supplies "LauncherProfile".
  LauncherProfileEntry selected;
  Put(selected.Name, u"Default");
  Put(selected.Path, u"/l");
  selected.LauncherMode = 5;
  record_.SelectedLauncherProfile = &selected;
  EXPECT_NE(Sections(&record_).find(R"("LauncherProfile":{"Name":"Default","Path":"/l","LauncherMode":5})"),
            std::string::npos);
}

TEST_F(ConfigHelperTest, LauncherInfoReadsBackWithItsConversions) {
  Put(record_.RuntimeVersion, u"22.0");
  record_.AppPathOption = 0;
  record_.InstallPathOption = 1;
  record_.Signing.SignOption = 2;
  Put(record_.AppMainHead, u"Hi \u00E9");
  const std::u16string text = Utf16(Sections(&record_));
  LauncherSettingsRecord read;
  ASSERT_EQ(helper_->SectionFromText(text.c_str(), &read, ICloudConfigHelper::kLauncherInfoSection), CONFIG_OK);
  EXPECT_EQ(Utf16(Sections(&read)), text);

  // Absent members: paths fixed, signing method 0; texts cut to their fields.
  ASSERT_EQ(helper_->LauncherInfoFromText(Utf16(R"({"Title":")" + std::string(200, 't') + R"("})").c_str(), &read),
            CONFIG_OK);
  EXPECT_EQ(Text(read.PackageTitle), std::u16string(127, u't'));
  EXPECT_EQ(read.AppPathOption + read.InstallPathOption, 2);
  EXPECT_EQ(read.Signing.SignOption, 0);
  ASSERT_EQ(helper_->LauncherInfoFromText(u"{\"SigningConfig\":{\"SigningType\":-2147483648}}", &read), CONFIG_OK);
  EXPECT_EQ(read.Signing.SignOption, 2) << "(3 + 2^31) remainder 3, without overflow";
}

TEST_F(ConfigHelperTest, LauncherConfigReadsUploadPlatformsAndTheDefaultLauncher) {
  Put(record_.OutputPath, u"/kept");
  ASSERT_EQ(helper_->LauncherConfigFromText(u"{\"Server\":\"LOCAL\",\"ZipPath\":\"/z\",\"RuntimePlatform\":[0,1],"
                                            u"\"UploadMode\":2,\"LauncherProfile\":{\"Name\":\"default\","
                                            u"\"Path\":\"/elsewhere\",\"LauncherMode\":3}}",
                                            &record_),
            CONFIG_OK);
  EXPECT_EQ(record_.LocalServer, 1);
  EXPECT_EQ(Text(record_.ServerProfile), u"LOCAL");
  EXPECT_EQ(Text(record_.GenZipPath), u"/z");
  EXPECT_EQ(record_.RuntimePlatform, 2);
  EXPECT_EQ(record_.UploadServer, 0) << "upload on";
  EXPECT_EQ(record_.DefaultPackage, 1);
  EXPECT_EQ(Text(record_.OutputPath), u"/kept");
  EXPECT_EQ(record_.InstallMode, 3);
  EXPECT_NE(Sections(&record_).find(R"("RuntimePlatform":[0,1],"UploadMode":1,)"), std::string::npos);

  ASSERT_EQ(Read(R"({"LauncherConfig":{"RuntimePlatform":[1],"UploadMode":"1",)"
                 R"("LauncherProfile":{"Name":"Mine","Path":"/p"}}})",
                 ICloudConfigHelper::kLauncherConfigSection),
            CONFIG_OK);
  EXPECT_EQ(record_.RuntimePlatform, 1);
  EXPECT_EQ(record_.UploadServer, 1) << "a mode that is not a number counts as absent";
  EXPECT_EQ(record_.DefaultPackage, 0);
  EXPECT_EQ(Text(record_.OutputPath), u"/p");
  EXPECT_EQ(record_.LocalServer, 0);
  ASSERT_EQ(Read(R"({"LauncherConfig":{"RuntimePlatform":[4294967295,4294967295]}})",
                 ICloudConfigHelper::kLauncherConfigSection),
            CONFIG_OK);
  EXPECT_EQ(record_.RuntimePlatform, -3);
}

TEST_F(ConfigHelperTest, WebServerConfigReplacesTheLinkedProfile) {
  web_.RemoteServers = new RemoteServerNode{new RemoteServerNode{}};
  record_.WebServer = &web_;
  ASSERT_EQ(Read(R"({"WebServerConfig":[{"Options":{"Root":"/one"}},{"Options":{"Host":"a"},"ServerType":1,)"
                 R"("ProfileName":"p"},{"ServerType":0,"Options":{"Root":"/two"}},"x",)"
                 R"({"ServerType":2,"Options":{"Port":70000,"Username":"u","Encryption":1}}]})",
                 ICloudConfigHelper::kWebServerConfigSection),
            CONFIG_OK);
  EXPECT_EQ(Text(web_.WebRootPath), u"/two");
  ASSERT_NE(web_.RemoteServers, nullptr);
  EXPECT_EQ(Text(web_.RemoteServers->ServerProfile), u"p");
  EXPECT_EQ(web_.RemoteServers->Port, 21);
  ASSERT_NE(web_.RemoteServers->Next, nullptr);
  EXPECT_EQ(web_.RemoteServers->Next->Port, 4464);
  EXPECT_EQ(Text(web_.RemoteServers->Next->UserName), u"u");
  EXPECT_EQ(web_.RemoteServers->Next->EncryptionMode, 1);
  EXPECT_EQ(web_.RemoteServers->Next->Next, nullptr);

  // A text without the section empties the profile.
  ASSERT_EQ(Read("{}", ICloudConfigHelper::kWebServerConfigSection), CONFIG_OK);
  EXPECT_EQ(Text(web_.WebRootPath), u"");
  EXPECT_EQ(web_.RemoteServers, nullptr);

  // Without a linked profile nothing is read.
  record_.WebServer = nullptr;
  EXPECT_EQ(Read(R"({"WebServerConfig":[{"Options":{"Root":"/r"}}]})", ICloudConfigHelper::kWebServerConfigSection),
            CONFIG_OK);
}

TEST_F(ConfigHelperTest, NullAndMalformedTextsChangeNothing) {
  Put(record_.LauncherName, u"kept");
  for (std::int32_t section : {-3, -2, -1, 0, 7}) {
    EXPECT_EQ(Read("{\"LauncherInfo\":", section), CONFIG_INVALID_JSON) << section;
    EXPECT_EQ(Read("[{\"LauncherInfo\":{}}]", section), CONFIG_INVALID_JSON) << section;
    EXPECT_EQ(helper_->SectionFromText(nullptr, &record_, section), CONFIG_OPEN_FAILED);
    EXPECT_EQ(helper_->SectionFromText(u"{}", nullptr, section), CONFIG_OPEN_FAILED);
  }
  EXPECT_EQ(Read(R"({"LauncherInfo":{"Name":"other"}})", 0), CONFIG_OK);
  EXPECT_EQ(helper_->LauncherInfoFromText(u"{\"Name\":", &record_), CONFIG_INVALID_JSON);
  EXPECT_EQ(helper_->LauncherConfigFromText(u"\"text\"", &record_), CONFIG_INVALID_JSON);
  EXPECT_EQ(helper_->LauncherInfoFromText(nullptr, &record_), CONFIG_OPEN_FAILED);
  EXPECT_EQ(helper_->LauncherConfigFromText(u"{}", nullptr), CONFIG_OPEN_FAILED);
  EXPECT_EQ(helper_->LauncherInfoFromText(u"{\"Name\":\"\\uDC00\"}", &record_), CONFIG_INVALID_JSON);
  EXPECT_EQ(Text(record_.LauncherName), u"kept");
}

TEST_F(ConfigHelperTest, LauncherProfilesAreAppendedToTheGivenText) {
  std::list<LauncherProfileEntry> profiles(1);
  Put(profiles.front().Name, u"Default");
  Put(profiles.front().RuntimeVersion, u"not written");
  const std::string profile = R"({"Name":"Default","Path":"","LauncherMode":0})";
  EXPECT_EQ(Utf8(helper_->LauncherProfilesToText(u"{\"LauncherProfiles\":[], \"a\" : 1}", profiles)),
            R"({"LauncherProfiles":[],"a":1,"LauncherProfiles":[)" + profile + "]}");
  EXPECT_EQ(Utf8(helper_->LauncherProfilesToText(nullptr, profiles)), R"({"LauncherProfiles":[)" + profile + "]}");
  EXPECT_EQ(Utf8(helper_->LauncherProfilesToText(u"{\"a\":[1]}", {})), R"({"a":[1]})");

  // A text that cannot take the list gives the empty text, never the
  // previous result.
  EXPECT_EQ(Utf8(helper_->LauncherProfilesToText(u"{\"a\":", profiles)), "");
  EXPECT_EQ(Utf8(helper_->LauncherProfilesToText(u"[1,2]", profiles)), "");
  EXPECT_EQ(Utf8(helper_->LauncherProfilesToText(u"[1,2]", {})), "");
}

}  // namespace
}  // namespace pelcor_test
