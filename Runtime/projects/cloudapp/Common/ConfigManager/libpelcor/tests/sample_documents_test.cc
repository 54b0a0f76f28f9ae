// The sample documents in examples/libpelcor/, which show the document
// formats to their users: each loads through the library, and each holds
// every member that the library writes (the writer writes all it reads), so
// no member a reader accepts is missing from them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "deploy_record_sample.h"
#include "pelcor_library.h"
#include "platform/files.h"
#include "platform/unicode.h"
#include "record_text.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

std::u16string Sample(const char* name) {
  return platform::Utf8ToUtf16(std::string(LUMARINE_SOURCE_DIR "/examples/libpelcor/") + name);
}

// Every member of a document as a path ("halvern/webapiurl"; "[]" for the
// elements of an array, whose members are merged).
void CollectMembers(const rapidjson::Value& value, const std::string& path, std::set<std::string>& members) {
  if (value.IsObject()) {
    for (const auto& member : value.GetObject()) {
      const std::string name = path + "/" + member.name.GetString();
      members.insert(name);
      CollectMembers(member.value, name, members);
    }
  } else if (value.IsArray()) {
    for (const auto& element : value.GetArray()) CollectMembers(element, path + "[]", members);
  }
}

std::set<std::string> MembersOf(const std::u16string& path) {
  const std::optional<std::string> bytes = platform::ReadWholeFile(path);
  EXPECT_TRUE(bytes) << platform::Utf16ToUtf8(path);
  rapidjson::Document document;
  document.Parse(bytes.value_or("").c_str());
  EXPECT_FALSE(document.HasParseError()) << platform::Utf16ToUtf8(path);
  std::set<std::string> members;
  CollectMembers(document, "", members);
  return members;
}

// The members of `sample` and those of `written` differ in none.
void ExpectSameMembers(const std::set<std::string>& sample, const std::set<std::string>& written) {
  std::vector<std::string> lacking, unknown;
  std::set_difference(written.begin(), written.end(), sample.begin(), sample.end(), std::back_inserter(lacking));
  std::set_difference(sample.begin(), sample.end(), written.begin(), written.end(), std::back_inserter(unknown));
  EXPECT_THAT(lacking, ::testing::IsEmpty()) << "members the sample lacks";
  EXPECT_THAT(unknown, ::testing::IsEmpty()) << "members of the sample that no reader takes";
}

class SampleDocuments : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(manager_, nullptr); }

  ManagerPtr manager_ = NewManager();
  lumarine_testing::TempDir dir_;
};

TEST_F(SampleDocuments, AppConfigurationHoldsEveryMember) {
  AppConfigRecord app;
  ASSERT_EQ(manager_->LoadAppConfigFile(&app, Sample("sample-app.json").c_str()), CONFIG_OK);
  EXPECT_EQ(app.AppShortcutName, u"Orders \u00e0 la carte");
  EXPECT_EQ(app.PreloadEventCommands, u"prepare.cmd /quiet");
  EXPECT_EQ(app.EncryptTqdFiles + app.AlwaysRunCommand + app.CreateAppUninstallShortcut + app.CheckTqdValidaty, 4);
  EXPECT_EQ(app.ServerAppName, u"orders-api");
  ASSERT_EQ(app.PredownloadFiles.size(), 2u);
  EXPECT_EQ(app.PredownloadFiles.back().Children.size(), 2u) << "the package's files";
  ASSERT_EQ(app.IniConfigFiles.size(), 1u);
  EXPECT_EQ(app.IniConfigFiles.front().UpdateType, 2) << "0 reads as 2";

  ASSERT_EQ(manager_->SaveAppConfig(dir_.File(u"saved.json").c_str(), &app), CONFIG_OK);
  std::set<std::string> written = MembersOf(dir_.File(u"saved.json"));
  written.insert("/halvern/AppName");  // read, never written
  ExpectSameMembers(MembersOf(Sample("sample-app.json")), written);
}

TEST_F(SampleDocuments, DeploymentProjectHoldsEveryMember) {
  DeployProjectRecord record;
  ASSERT_EQ(manager_->LoadDeployConfig(&record, Sample("sample-deploy-project.json").c_str(), u"DeployConfig"),
            CONFIG_OK);
  EXPECT_EQ(Names(record.PredownloadPackages), (std::vector<std::u16string>{u"reports", u"fonts"}));
  ASSERT_NE(record.PredownloadPackages, nullptr);
  EXPECT_EQ(Names(record.PredownloadPackages->Files), (std::vector<std::u16string>{u"charts.dll", u"layouts.tqd"}));
  EXPECT_EQ(Text(record.Signing.SignTool), u"signtool.exe");
  EXPECT_EQ(record.ServerSettings.webapiport, 443);
  EXPECT_NE(record.ServerSettings.dbconfig, nullptr);
  EXPECT_EQ(record.FileVersionRevision, 17);
  EXPECT_EQ(record.ServerType + record.RuntimeFileType, 3);

  ASSERT_EQ(manager_->SaveDeployConfig(dir_.File(u"saved.json").c_str(), u"DeployConfig", &record), CONFIG_OK);
  manager_->FreeDeployConfig(&record);
  ExpectSameMembers(MembersOf(Sample("sample-deploy-project.json")), MembersOf(dir_.File(u"saved.json")));
}

}  // namespace
}  // namespace pelcor_test
