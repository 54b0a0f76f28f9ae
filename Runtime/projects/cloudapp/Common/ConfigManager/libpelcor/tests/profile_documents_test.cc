// Server, package and launcher profiles, name lists and target frameworks
// through the loaded library.
#include <gtest/gtest.h>

#include <cstddef>
#include <list>
#include <string>
#include <vector>

#include "pelcor_library.h"
#include "record_text.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(manager_, nullptr); }

  // Writes `json` to a file and gives its path.
  std::u16string File(const std::string& json, const char16_t* name = u"doc.json") {
    dir_.Write(name, json);
    return dir_.File(name);
  }

  ManagerPtr manager_ = NewManager();
  lumarine_testing::TempDir dir_;
};

TEST_F(ProfileTest, ServerProfilesRoundTripAndCheckTheirParts) {
  ServerProfileRecord record;
  const std::string json = R"({"Format":"1.0","LocalServer":{"WebRootPath":"/srv"},"RemoteServer":[)"
                           R"({"ServerProfile":"ftp \u00e9","Host":"h","Port":70000,"UserName":"u","Password":"p",)"
                           R"("EncryptionMode":-1},{"Port":-1},{"Port":"22"},7,{"Port":0}]})";
  ASSERT_EQ(manager_->LoadServerProfile(&record, File(json).c_str()), CONFIG_OK);
  std::vector<std::uint16_t> ports;
  for (const RemoteServerNode* node = record.RemoteServers; node != nullptr; node = node->Next) {
    ports.push_back(node->Port);
  }
  EXPECT_EQ(ports, (std::vector<std::uint16_t>{4464, 65535, 21, 0})) << "absent or not a number: 21";
  Put(record.Format, u"2.0");
  ASSERT_EQ(manager_->SaveServerProfile(dir_.File(u"saved.json").c_str(), &record), CONFIG_OK);
  EXPECT_EQ(dir_.Read(u"saved.json")->rfind(R"({"Format":"1.0","LocalServer":{"WebRootPath":"/srv"},"RemoteServer":)"
                                            "[{\"ServerProfile\":\"ftp \xC3\xA9\",\"Host\":\"h\",\"Port\":4464,"
                                            R"("UserName":"u","Password":"p","EncryptionMode":-1},{"ServerProfile":"",)",
                                            0),
            0u);
  manager_->FreeServerProfile(&record);
  EXPECT_EQ(record.RemoteServers, nullptr);

  Put(record.WebRootPath, u"kept");
  for (const char* missing : {R"({"LocalServer":{"WebRootPath":"x"}})", R"({"RemoteServer":[{}]})"}) {
    EXPECT_EQ(manager_->LoadServerProfile(&record, File(missing).c_str()), CONFIG_MISSING_MEMBER) << missing;
  }
  for (const char* wrong : {R"({"LocalServer":"x","RemoteServer":[]})", R"({"LocalServer":{},"RemoteServer":{}})",
                            "[]"}) {
    EXPECT_EQ(manager_->LoadServerProfile(&record, File(wrong).c_str()), CONFIG_INVALID_JSON) << wrong;
  }
  EXPECT_EQ(Text(record.WebRootPath), u"kept");
  EXPECT_EQ(record.RemoteServers, nullptr);
}

// The readers that fill a node list replace it, freeing the old nodes (the
// leak checker of the sanitizer build sees any that stay): profile B read
// into a record that holds profile A's servers gives B's servers alone,
// whichever reader (the manager's load or the helper's web-server section)
// fills the record, and a name list read again replaces the first.
TEST_F(ProfileTest, ListsReadInTurnIntoOneRecordHoldTheLastDocumentOnly) {
  const auto servers = [](const ServerProfileRecord& record) {
    std::u16string names;
    for (const RemoteServerNode* node = record.RemoteServers; node != nullptr; node = node->Next) {
      names += Text(node->ServerProfile) + u" ";
    }
    return names;
  };
  ServerProfileRecord record;
  const std::u16string a = File(R"({"LocalServer":{},"RemoteServer":[{"ServerProfile":"a1"},{"ServerProfile":"a2"}]})",
                                u"a.json");
  const std::u16string b = File(R"({"LocalServer":{},"RemoteServer":[{"ServerProfile":"b1"}]})", u"b.json");
  ASSERT_EQ(manager_->LoadServerProfile(&record, a.c_str()), CONFIG_OK);
  EXPECT_EQ(servers(record), u"a1 a2 ");
  ASSERT_EQ(manager_->LoadServerProfile(&record, b.c_str()), CONFIG_OK);
  EXPECT_EQ(servers(record), u"b1 ");

  PackageProfileRecord launcher;
  launcher.WebServer = &record;
  ASSERT_EQ(manager_->GetConfigHelper()->SectionFromText(
                u"{\"WebServerConfig\":[{\"ServerType\":1,\"ProfileName\":\"c1\"}]}", &launcher,
                ICloudConfigHelper::kWebServerConfigSection),
            CONFIG_OK);
  EXPECT_EQ(servers(record), u"c1 ");
  ASSERT_EQ(manager_->LoadServerProfile(&record, a.c_str()), CONFIG_OK);
  EXPECT_EQ(servers(record), u"a1 a2 ");
  manager_->FreeLinkedServerProfile(&launcher);
  EXPECT_EQ(record.RemoteServers, nullptr);

  NameListNode* head = nullptr;
  ASSERT_EQ(manager_->LoadNameList(&head, File(R"([{"Name":"x"},{"Name":"y"}])").c_str()), CONFIG_OK);
  ASSERT_EQ(manager_->LoadNameList(&head, File(R"([{"Name":"z"}])").c_str()), CONFIG_OK);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(Text(head->Name), u"z");
  EXPECT_EQ(head->Next, nullptr);
  manager_->FreeNameList(&head);
}

TEST_F(ProfileTest, PackageProfileDefaultsAndItsSigningObject) {
  PackageProfileRecord record;
  ServerProfileRecord web;
  record.WebServer = &web;
  Put(record.Unused, u"unused");
  ASSERT_EQ(manager_->LoadPackageProfile(&record, File(R"({"OutputPath":"/out","ServerProfile":"prod",)"
                                                       R"("Signing":{"SignOption":1,"PfxFile":"c.pfx"}})")
                                                      .c_str()),
            CONFIG_OK);
  EXPECT_EQ(record.AppPathOption + record.InstallPathOption + record.LocalServer + record.DefaultPackage +
                record.UploadServer,
            5);
  EXPECT_EQ(record.RuntimePlatform, 3);
  EXPECT_EQ(Text(record.Signing.PfxFile), u"c.pfx");
  EXPECT_EQ(record.WebServer, &web);
  EXPECT_EQ(Text(record.Unused), u"unused");

  PackageProfileRecord partial;
  ASSERT_EQ(manager_->LoadPackageProfile(&partial, File(R"({"OutputPath":"/o","ServerProfile":"s",)"
                                                        R"("LocalServer":false,"PackageTitle":")" +
                                                        std::string(200, 't') + "\"}")
                                                       .c_str()),
            CONFIG_MISSING_MEMBER);
  EXPECT_EQ(partial.LocalServer, 0) << "the fields before Signing stay filled";
  EXPECT_EQ(Text(partial.PackageTitle), std::u16string(127, u't'));
  EXPECT_EQ(manager_->LoadPackageProfile(&partial, File(R"({"OutputPath":"","ServerProfile":"","Signing":[]})").c_str()),
            CONFIG_INVALID_JSON);
  Put(partial.GenZipPath, u"kept");
  EXPECT_EQ(manager_->LoadPackageProfile(&partial, File(R"({"ServerProfile":"s","Signing":{}})").c_str()),
            CONFIG_MISSING_MEMBER);
  EXPECT_EQ(Text(partial.GenZipPath), u"kept");
}

TEST_F(ProfileTest, PackageProfilesRoundTripInTheirMemberOrder) {
  PackageProfileRecord saved;
  for (char16_t* field : {saved.RuntimeVersion, saved.AppDownloadPath, saved.PackageTitle, saved.PackageLogo,
                          saved.OutputPath, saved.ServerProfile, saved.LauncherName, saved.RuntimeLanguage,
                          saved.GenZipPath, saved.InstallPath, saved.AppBackgroundBmp, saved.AppUpdateBmp,
                          saved.AppLoadingGif, saved.AppMainHead, saved.Description, saved.ProductName,
                          saved.Signing.CustomScript, saved.Signing.SignTool, saved.Signing.PfxFile,
                          saved.Signing.PfxPassword, saved.Signing.Algorithm, saved.Signing.TimeStamp}) {
    field[0] = u'a';
  }
  saved.AppPathOption = 0;
  saved.InstallPathOption = 2;
  saved.InstallMode = 2;
  saved.UploadServer = 5;
  saved.RuntimePlatform = -2;
  saved.Signing.SignOption = 2;
  const std::u16string path = dir_.File(u"package.json");
  ASSERT_EQ(manager_->SavePackageProfile(path.c_str(), &saved), CONFIG_OK);
  const std::string file = *dir_.Read(u"package.json");
  EXPECT_EQ(file,
            R"({"AppPathOption":0,"AppDownloadPath":"a","InstallPathOption":2,"InstallPath":"a","PackageTitle":"a",)"
            R"("PackageLogo":"a","AppBackgroundBmp":"a","AppUpdateBmp":"a","AppLoadingGif":"a","AppMainHead":"a",)"
            R"("InstallMode":2,"LocalServer":false,"OutputPath":"a","ServerProfile":"a","RuntimePlatform":-2,)"
            R"("LauncherName":"a","DefaultPackage":false,"UploadServer":true,"GenZipPath":"a",)"
            R"("RuntimeVersion":"a","RuntimeLanguage":"a","Description":"a","ProductName":"a","Signing":)"
            R"({"SignOption":2,"CustomScript":"a","SignTool":"a","PfxFile":"a","PfxPassword":"a","Algorithm":"a",)"
            R"("TimeStamp":"a"}})");
  PackageProfileRecord loaded;
  ASSERT_EQ(manager_->LoadPackageProfile(&loaded, path.c_str()), CONFIG_OK);
  ASSERT_EQ(manager_->SavePackageProfile(dir_.File(u"again.json").c_str(), &loaded), CONFIG_OK);
  EXPECT_EQ(*dir_.Read(u"again.json"), file);
}

TEST_F(ProfileTest, LauncherProfileListsRoundTripAndReplaceTheCallersList) {
  const std::string json =
      R"([{"Name":"Default","Path":"/l","LauncherMode":1,"runtimeversion":"22.0"},)"
      R"({"Name":"","Path":"","LauncherMode":0,"runtimeversion":""}])";
  std::list<LauncherProfileEntry> profiles(5);
  ASSERT_EQ(manager_->LoadLauncherProfiles(File(json).c_str(), &profiles), CONFIG_OK);
  ASSERT_EQ(profiles.size(), 2u);
  ASSERT_EQ(manager_->SaveLauncherProfiles(dir_.File(u"saved.json").c_str(), &profiles), CONFIG_OK);
  EXPECT_EQ(*dir_.Read(u"saved.json"), json);

  // Longer texts are cut; missing members and elements that are not
  // objects do not stop the list; a root that is not an array is empty.
  ASSERT_EQ(manager_->LoadLauncherProfiles(File(R"([{"Name":")" + std::string(300, 'n') + R"(",)"
                                                R"("runtimeversion":")" + std::string(40, 'v') + R"("},3,{}])")
                                               .c_str(),
                                           &profiles),
            CONFIG_OK);
  ASSERT_EQ(profiles.size(), 2u);
  EXPECT_EQ(Text(profiles.front().Name), std::u16string(259, u'n'));
  EXPECT_EQ(Text(profiles.front().RuntimeVersion), std::u16string(31, u'v'));
  EXPECT_EQ(manager_->LoadLauncherProfiles(File(R"({"Name":"x"})").c_str(), &profiles), CONFIG_OK);
  EXPECT_TRUE(profiles.empty());
  EXPECT_EQ(manager_->LoadLauncherProfiles(File("[]").c_str(), nullptr), CONFIG_INVALID_JSON);
}

TEST_F(ProfileTest, NameListsReadInOrderAndFreeThroughTheManager) {
  static_assert(offsetof(NameListNode, DisplayName) < offsetof(NameListNode, Name));
  NameListNode* head = nullptr;
  ASSERT_EQ(manager_->LoadNameList(&head, File(R"([{"Name":"mssql","DisplayName":"SQL Server","Description":"d"},)"
                                               R"("skipped",{"Name":")" + std::string(260, 'x') + R"("}])")
                                              .c_str()),
            CONFIG_OK);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(Text(head->DisplayName) + u"|" + Text(head->Name) + u"|" + Text(head->Description), u"SQL Server|mssql|d");
  ASSERT_NE(head->Next, nullptr);
  EXPECT_EQ(Text(head->Next->Name), std::u16string(259, u'x'));
  EXPECT_EQ(head->Next->Next, nullptr);

  NameListNode* const loaded = head;
  EXPECT_EQ(manager_->LoadNameList(&head, File(R"({"Name":"x"})").c_str()), CONFIG_INVALID_JSON);
  EXPECT_EQ(head, loaded);
  manager_->FreeNameList(&head);
  EXPECT_EQ(head, nullptr);
  manager_->FreeNameList(nullptr);
}

class TargetFrameworksTest : public ProfileTest {
 protected:
  void TearDown() override { manager_->FreeTargetFrameworks(&record_); }

  std::uint32_t Load(const std::u16string& text, std::size_t length = 4096) {
    return manager_->LoadTargetFrameworks(&record_, text.c_str(), length);
  }
  std::vector<std::u16string> Frameworks() const {
    std::vector<std::u16string> names;
    for (const TargetFrameworkNode* node = record_.Frameworks; node != nullptr; node = node->Next) {
      names.push_back(Text(node->Name) + u"|" + Text(node->DisplayName));
    }
    return names;
  }

  TargetFrameworksRecord record_;
};

TEST_F(TargetFrameworksTest, ReadsThePartsPresentAndReplacesTheList) {
  record_.Reserved = 42;
  ASSERT_EQ(Load(u"{\"SupportSwithchTargetFramework\":true,\"TargetFramework\":{\"Name\":\"net8.0\","
                 u"\"DisplayName\":\".NET 8\"},\"SupportTargetFrameworks\":[{\"Name\":\"net6.0\",\"DisplayName\":"
                 u"\".NET 6\"},{\"Name\":\"net8.0\"},null]}"),
            CONFIG_OK);
  EXPECT_EQ(record_.Reserved, 42);
  EXPECT_EQ(record_.SupportSwitch, 1);
  EXPECT_EQ(Text(record_.Current.Name) + u"|" + Text(record_.Current.DisplayName), u"net8.0|.NET 8");
  EXPECT_EQ(Frameworks(), (std::vector<std::u16string>{u"net6.0|.NET 6", u"net8.0|"}));

  // The old list is freed; parts the text lacks stay as they are.
  record_.SupportSwitch = 7;
  ASSERT_EQ(Load(u"{\"SupportTargetFrameworks\":[{\"Name\":\"net9.0\"}]}"), CONFIG_OK);
  EXPECT_EQ(record_.SupportSwitch, 7);
  EXPECT_EQ(Text(record_.Current.Name), u"net8.0");
  EXPECT_EQ(Frameworks(), std::vector<std::u16string>{u"net9.0|"});

  TargetFrameworkNode* const list = record_.Frameworks;
  for (const char16_t* text : {u"[]", u"{\"TargetFramework\":\"net8.0\"}", u"{\"SupportTargetFrameworks\":{}}",
                               u"{\"SupportSwithchTargetFramework\":false,\"TargetFramework\":[]}", u"{", u""}) {
    EXPECT_EQ(Load(text), CONFIG_INVALID_JSON);
  }
  EXPECT_EQ(record_.SupportSwitch, 7);
  EXPECT_EQ(record_.Frameworks, list);
  manager_->FreeTargetFrameworks(&record_);
  EXPECT_EQ(record_.Frameworks, nullptr);
}

TEST_F(TargetFrameworksTest, TheLengthLimitsTheTextButNeverReadsBeyondIt) {
  const std::u16string text = u"{\"TargetFramework\":{\"Name\":\"net\u00E9\"}}";
  const std::size_t utf8_length = text.size() + 1;  // the é takes two bytes
  EXPECT_EQ(Load(text, utf8_length), CONFIG_OK);
  EXPECT_EQ(Text(record_.Current.Name), u"net\u00E9");
  EXPECT_EQ(Load(text, std::size_t{1} << 40), CONFIG_OK) << "a length above the text's size stops at its end";
  EXPECT_EQ(Load(text, utf8_length - 1), CONFIG_INVALID_JSON);
  EXPECT_EQ(Load(text, 0), CONFIG_INVALID_JSON);
  EXPECT_EQ(manager_->LoadTargetFrameworks(&record_, nullptr, 10), CONFIG_INVALID_JSON);
  EXPECT_EQ(manager_->LoadTargetFrameworks(nullptr, text.c_str(), 10), CONFIG_INVALID_JSON);
}

}  // namespace
}  // namespace pelcor_test
