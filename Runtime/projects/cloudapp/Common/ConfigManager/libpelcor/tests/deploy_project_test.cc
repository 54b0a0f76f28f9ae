// The deployment-project document through the loaded library: defaults,
// every list round-tripped, required members, value conversions, the app
// cache folder and the freeing of what a load made.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pelcor_library.h"
#include "deploy_record_sample.h"
#include "record_text.h"
#include "testing/scoped_env.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

const char* const kRequiredLists[] = {"Libraries", "PredownloadPackages", "PredownloadFiles", "InstantDownloadFiles",
                                      "RuntimeModules", "RegisterFiles", "Signing", "IniConfigFiles"};

// A project object with `members` and, empty, each required member that
// `members` does not give.
std::string Project(const std::string& members) {
  std::string text = "{" + members;
  for (const char* name : kRequiredLists) {
    const std::string quoted = std::string("\"") + name + "\"";
    if (members.find(quoted) != std::string::npos) continue;
    const bool object = std::strcmp(name, "PredownloadPackages") == 0 || std::strcmp(name, "Signing") == 0;
    text += (text.size() > 1 ? "," : "") + quoted + (object ? ":{}" : ":[]");
  }
  return text + "}";
}

class DeployProjectTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(manager_, nullptr); }
  void TearDown() override { manager_->FreeDeployConfig(&record_); }

  std::uint32_t Load(const std::string& project, DeployProjectRecord& record) {
    dir_.Write(u"project.json", "{\"other\":1,\"Project\":" + project + "}");
    return manager_->LoadDeployConfig(&record, dir_.File(u"project.json").c_str(), u"Project");
  }
  std::uint32_t Load(const std::string& project) { return Load(project, record_); }

  ManagerPtr manager_ = NewManager();
  lumarine_testing::TempDir dir_;
  lumarine_testing::ScopedEnv tmpdir_{"TMPDIR", dir_.native_path()};
  DeployProjectRecord record_;
};

TEST_F(DeployProjectTest, RequiredMembersAloneGiveTheDefaults) {
  record_.ServerType = 9;
  ASSERT_EQ(Load(Project("\"AppName\":\"Shop\"")), CONFIG_OK);
  EXPECT_EQ(record_.Is32Bit + record_.LocalServer + record_.PackageOutputExe + record_.DefaultLauncher +
                record_.UploadOrPackageLauncherFiles + record_.CreateDesktopShortcut + record_.CreateStartMenuShortcut +
                record_.CreateAppUninstallShortcut + record_.ShowStartAnimatedWindow + record_.RunWithShellApp,
            10);
  EXPECT_EQ(record_.FullBuild + record_.FullDownload + record_.RunWithHttps + record_.GeneratePackage, 0);
  EXPECT_EQ(record_.StartMode + record_.GenerateOption + record_.ExecutionLevel, 6);
  EXPECT_EQ(record_.DeployWebPage, 1);
  EXPECT_EQ(record_.RuntimeFileType, 1);
  EXPECT_EQ(record_.ServerType, 9) << "kept when there is no CSharpUIConfig";
  // Every byte, padding included.
  const unsigned char zero[sizeof(ServerSettingsRecord)] = {};
  EXPECT_EQ(std::memcmp(&record_.ServerSettings, zero, sizeof zero), 0);
  EXPECT_EQ(Text(record_.OutputDir), dir_.path() + u"/tqappscache 22.0/temp/Shop");
  EXPECT_EQ(record_.Libraries, nullptr);
}

TEST_F(DeployProjectTest, EveryListAndFieldRoundTrips) {
  DeployProjectRecord saved;
  FillDeployRecord(*manager_, saved);
  Put(saved.OutputDir, dir_.path() + u"/tqappscache 22.0/temp/" + Text(saved.AppName));
  Put(saved.Format, u"7.0");
  ASSERT_EQ(manager_->SaveDeployConfig(dir_.File(u"saved.json").c_str(), u"Project", &saved), CONFIG_OK);
  manager_->FreeDeployConfig(&saved);
  ASSERT_EQ(manager_->LoadDeployConfig(&record_, dir_.File(u"saved.json").c_str(), u"Project"), CONFIG_OK);
  ASSERT_EQ(manager_->SaveDeployConfig(dir_.File(u"again.json").c_str(), u"Project", &record_), CONFIG_OK);

  // What was read writes the same file again, so every member survived.
  const std::string file = *dir_.Read(u"saved.json");
  EXPECT_EQ(*dir_.Read(u"again.json"), file);
  EXPECT_EQ(file.rfind("{\"Project\":{\"Format\":\"1.0\",\"AppType\":-3,", 0), 0u) << file;
  EXPECT_NE(file.find("\"EnvironmentType\":\"I\",\"dbconfig\":\"Server=db;Database=shop\"}"),
            std::string::npos);
  EXPECT_EQ(Text(record_.Format), u"1.0");
  EXPECT_EQ(Names(record_.PredownloadPackages->Files), (std::vector<std::u16string>{u"a.png", u"b.png"}));
  EXPECT_EQ(record_.IniConfigFiles->Next->UpdateType, 3);
  EXPECT_EQ(record_.BuildLibraries, nullptr) << "not in the document";
}

TEST_F(DeployProjectTest, AMissingRequiredMemberStopsTheLoadWithTheEarlierListsAttached) {
  const std::string lists =
      "\"Libraries\":[{\"TqdName\":\"a\"}],\"PredownloadPackages\":{\"p\":[\"x\"]},\"PredownloadFiles\":[\"f\"],"
      "\"InstantDownloadFiles\":[\"i\"],\"RuntimeModules\":[\"m\"],\"RegisterFiles\":[\"r\"]";
  ASSERT_EQ(Load("{" + lists + ",\"IniConfigFiles\":[]}"), CONFIG_MISSING_MEMBER);
  EXPECT_NE(record_.Libraries, nullptr);
  EXPECT_NE(record_.PredownloadPackages->Files, nullptr);
  EXPECT_EQ(Names(record_.RegisterFiles), std::vector<std::u16string>{u"r"});
  EXPECT_EQ(record_.IniConfigFiles, nullptr);

  // Each required member in turn: 4, and nothing of the later ones read.
  for (const char* missing : kRequiredLists) {
    DeployProjectRecord record;
    std::string project = Project("\"" + std::string(missing) + "\":0");
    project.replace(project.find("\"" + std::string(missing) + "\":0"), std::strlen(missing) + 4, "\"x\":0");
    EXPECT_EQ(Load(project, record), CONFIG_MISSING_MEMBER) << missing;
    manager_->FreeDeployConfig(&record);
  }
}

TEST_F(DeployProjectTest, MembersOfAnotherJsonTypeGiveThreeOrTheirDefaults) {
  for (const char* wrong : {"\"Libraries\":{}", "\"PredownloadPackages\":[]", "\"RuntimeModules\":\"m\"",
                            "\"Signing\":[]", "\"halvern\":true", "\"IniConfigFiles\":{}"}) {
    DeployProjectRecord record;
    EXPECT_EQ(Load(Project(wrong), record), CONFIG_INVALID_JSON) << wrong;
    manager_->FreeDeployConfig(&record);
  }
  // A package whose files are not an array drops the whole package list.
  ASSERT_EQ(Load(Project("\"Libraries\":[\"x\"],\"PredownloadPackages\":{\"a\":[\"f\"],\"b\":\"g\"}")),
            CONFIG_INVALID_JSON);
  EXPECT_EQ(record_.PredownloadPackages, nullptr);
  ASSERT_NE(record_.Libraries, nullptr) << "a library element that is not an object gives an empty node";
  manager_->FreeDeployConfig(&record_);

  ASSERT_EQ(Load(Project("\"Is32Bit\":1,\"StartMode\":\"3\",\"AppType\":2.5,\"AppName\":7,"
                         "\"PredownloadFiles\":[1,\"b\"],\"CSharpUIConfig\":{\"ServerType\":4}")),
            CONFIG_OK);
  EXPECT_EQ(record_.Is32Bit, 0);
  EXPECT_EQ(record_.StartMode, 2);
  EXPECT_EQ(record_.AppType, 0);
  EXPECT_EQ(Text(record_.AppName), u"");
  EXPECT_EQ(Names(record_.PredownloadFiles), (std::vector<std::u16string>{u"", u"b"}));
  EXPECT_EQ(record_.ServerType, 4);
  EXPECT_EQ(record_.RuntimeFileType, 1);
}

TEST_F(DeployProjectTest, ValueConversionsOfTheReader) {
  const std::u16string long_name(200, u'n');
  ASSERT_EQ(Load(Project("\"AppName\":\"" + std::string(200, 'n') + "\",\"ProductVersionMajor\":70000,"
                         "\"RuntimeModules\":[\"TX TextControl ActiveX 30.0\",\"Rich Edit Control (Quorin Edit "
                         "Control)\",\"tx textcontrol activex 15.0\"],"
                         "\"IniConfigFiles\":[{\"FileName\":\"a.ini\",\"UpdateType\":0},{\"FileName\":\"b.ini\"},"
                         "{\"UpdateType\":1},{\"FileName\":\"c.ini\",\"UpdateType\":5}],"
                         "\"halvern\":{\"dbconfig\":\"\"}")),
            CONFIG_OK);
  EXPECT_EQ(Text(record_.OutputDir), dir_.path() + u"/tqappscache 22.0/temp/" + long_name.substr(0, 127));
  EXPECT_EQ(record_.ProductVersionMajor, 4464);
  EXPECT_EQ(Names(record_.RuntimeModules), (std::vector<std::u16string>{u"TX TextControl ActiveX",
                                                                          u"TX TextControl ActiveX",
                                                                          u"tx textcontrol activex 15.0"}));
  ASSERT_NE(record_.IniConfigFiles, nullptr);
  EXPECT_EQ(record_.IniConfigFiles->UpdateType, 2);
  ASSERT_NE(record_.IniConfigFiles->Next, nullptr);
  EXPECT_EQ(Text(record_.IniConfigFiles->Next->FileName), u"c.ini");
  EXPECT_EQ(record_.IniConfigFiles->Next->Next, nullptr);
  EXPECT_EQ(record_.ServerSettings.dbconfig, nullptr);
  EXPECT_EQ(manager_->SaveDeployConfig(dir_.File(u"out.json").c_str(), u"P", &record_), CONFIG_OK);
  EXPECT_EQ(dir_.Read(u"out.json")->find("dbconfig"), std::string::npos);
}

TEST_F(DeployProjectTest, TheCacheFolderNeverOverrunsItsField) {
  // A temporary folder that leaves no room for the app name: the folder is
  // not cut into another path, and the neighbouring fields are intact.
  const std::string long_tmp = "/" + std::string(240, 't');
  lumarine_testing::ScopedEnv tmpdir("TMPDIR", long_tmp);
  ASSERT_EQ(Load(Project("\"AppName\":\"Shop\",\"ResourceName\":\"r.tqr\"")), CONFIG_OK);
  EXPECT_EQ(Text(record_.OutputDir), u"");
  EXPECT_EQ(Text(record_.AppName), u"Shop");
  EXPECT_EQ(Text(record_.ResourceName), u"r.tqr");

  // Exactly 259 units fit.
  const std::string fitting = "/" + std::string(259 - 1 - 23 - 4, 't');
  lumarine_testing::ScopedEnv fits("TMPDIR", fitting + "/");
  ASSERT_EQ(Load(Project("\"AppName\":\"Shop\"")), CONFIG_OK);
  EXPECT_EQ(Text(record_.OutputDir), Utf16(fitting + "/tqappscache 22.0/temp/Shop"));
  EXPECT_EQ(Text(record_.OutputDir).size(), 259u);
  // 260 units do not.
  lumarine_testing::ScopedEnv too_long("TMPDIR", fitting + "t");
  ASSERT_EQ(Load(Project("\"AppName\":\"Shop\"")), CONFIG_OK);
  EXPECT_EQ(Text(record_.OutputDir), u"");
}

TEST_F(DeployProjectTest, ALoadIntoALoadedRecordFreesTheOldTextAndAppendsTheLists) {
  ASSERT_EQ(Load(Project("\"PredownloadFiles\":[\"a\"],\"halvern\":{\"dbconfig\":\"first\"}")), CONFIG_OK);
  ASSERT_EQ(Load(Project("\"PredownloadFiles\":[\"b\"],\"halvern\":{\"dbconfig\":\"second\","
                         "\"webapiurl\":\"https://old\",\"webapihost\":\"old\",\"webapiport\":8080}")),
            CONFIG_OK);
  EXPECT_EQ(std::u16string(OutStringText(record_.ServerSettings.dbconfig)), u"second");
  EXPECT_EQ(Names(record_.PredownloadFiles), (std::vector<std::u16string>{u"a", u"b"}));
  // A project without "halvern" leaves nothing of the previous server settings.
  ASSERT_EQ(Load(Project("")), CONFIG_OK);
  const unsigned char zero[sizeof(ServerSettingsRecord)] = {};
  EXPECT_EQ(std::memcmp(&record_.ServerSettings, zero, sizeof zero), 0);
}

TEST_F(DeployProjectTest, TheProjectMemberAndTheArgumentsAreChecked) {
  const std::u16string path = dir_.File(u"p.json");
  dir_.Write(u"p.json", "{\"project\":{}}");
  Put(record_.AppName, u"untouched");
  EXPECT_EQ(manager_->LoadDeployConfig(&record_, path.c_str(), u"Project"), CONFIG_MISSING_MEMBER);
  EXPECT_EQ(manager_->LoadDeployConfig(&record_, path.c_str(), nullptr), CONFIG_INVALID_JSON);
  EXPECT_EQ(manager_->LoadDeployConfig(nullptr, path.c_str(), u"project"), CONFIG_INVALID_JSON);
  dir_.Write(u"p.json", "[{\"Project\":{}}]");
  EXPECT_EQ(manager_->LoadDeployConfig(&record_, path.c_str(), u"Project"), CONFIG_INVALID_JSON);
  dir_.Write(u"p.json", "{\"Project\":3}");
  EXPECT_EQ(manager_->LoadDeployConfig(&record_, path.c_str(), u"Project"), CONFIG_INVALID_JSON);
  EXPECT_EQ(Text(record_.AppName), u"untouched");
  EXPECT_EQ(manager_->SaveDeployConfig(path.c_str(), nullptr, &record_), CONFIG_INVALID_JSON);
  EXPECT_EQ(*dir_.Read(u"p.json"), "{\"Project\":3}");
}

}  // namespace
}  // namespace pelcor_test
