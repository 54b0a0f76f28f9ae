// IAppManifest through the loaded library: loading, the settings, the
// download lists and maps, the files to register and ini update types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "owned_object.h"
#include "pelcor_library.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

using Texts = std::vector<std::u16string>;

const char kAppConfig[] = R"({"Version":"2.1","StartupFile":"main.tqd","Is32Bit":false,"FullDownload":true,
 "StartMode":3,"CreateStartMenuShortcut":false,"AppShortcutName":"App","AppShortcutImage":"",
 "PredownloadFiles":[
   {"Name":"a.dll","Path":"bin","HashCode":"h","Extractable":false,"Size":5},
   {"Name":"a.dll","Path":"bin\\","HashCode":"dup"},
   {"Name":"top.dll","Path":""},
   {"Name":"s.dll","Path":"bin/"},
   {"Name":"pkg.zip","Path":"lib","Extractable":true},
   {"Name":"p2.zip","Path":"lib\\","Extractable":true}],
 "Packages":{"pkg.zip":[{"Name":"c.dll","Path":"x","Size":9},{"Name":"d.dll","Path":""}],
             "p2.zip":[{"Name":"e.dll","Path":"y"}]},
 "InstantDownloadFiles":[{"Name":"later.dat","Path":"data"}],
 "RegisterFiles":["Bin\\A.DLL","lib\\x\\c.dll","LIB\\d.dll","lib\\y\\e.dll","bin/s.dll","missing.dll",
                  "lib\\pkg.zip"],
 "RuntimeModules":["core","db"],
 "halvern":{"webapiurl":"","modelname":"model","AppName":"srv"},
 "IniConfigFiles":[{"FileName":"Setting.INI","UpdateType":5},{"FileName":"setting.ini","UpdateType":7},
                   {"FileName":"zero.ini","UpdateType":0}]})";

const char kMinimal[] =
    R"({"PredownloadFiles":[{"Name":"only.dll"}],"InstantDownloadFiles":[],"RegisterFiles":["only.dll"],)"
    R"("RuntimeModules":["m"],"IniConfigFiles":[]})";

// Path, Name and Size of every entry.
Texts Describe(const CloudFileList& files) {
  Texts lines;
  for (const CloudFileInfo& file : files) lines.push_back(file.Path + u"|" + file.Name + u"|" + char16_t(u'0' + file.Size));
  return lines;
}

class AppManifestTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(app_, nullptr); }

  bool Load(std::string_view json) {
    error_ = u"unset";
    return app_->LoadFromText(json.data(), json.size(), error_);
  }

  ManagerPtr manager_ = NewManager();
  Owned<IAppManifest> app_{manager_ ? manager_->CreateAppManifest() : nullptr};
  std::u16string error_;
};

TEST_F(AppManifestTest, RefusesEveryQueryUntilLoaded) {
  std::u16string text = u"kept";
  Texts modules;
  CloudFileList files(1);
  CloudFileMap map;
  char16_t* c_text = nullptr;
  EXPECT_FALSE(app_->GetVersion(text) || app_->GetModelName(text) || app_->GetStartupFileC(&c_text) ||
               app_->GetRuntimeModules(modules) || app_->GetPredownloadFiles(files) ||
               app_->GetRegisterFiles(files) || app_->MapInstantDownloadFiles(map) ||
               app_->ApplyIniUpdateTypes(files) || app_->IsX64() || app_->CheckTqdValidaty());
  EXPECT_EQ(app_->GetStartMode(), 0);
  EXPECT_TRUE(text == u"kept" && c_text == nullptr && modules.empty() && map.empty() && files.size() == 1);
  app_->ClearList(files);
  EXPECT_TRUE(files.empty());
  app_->FreeString(nullptr);

  lumarine_testing::TempDir dir;
  EXPECT_FALSE(app_->LoadFromFile(dir.File(u"missing.json").c_str(), error_));
  EXPECT_EQ(error_, u"");
  EXPECT_FALSE(app_->LoadFromTextC("{", 1, &c_text));
  EXPECT_EQ(c_text, nullptr);  // the error text is empty: nothing to hand out
  EXPECT_FALSE(app_->IsLoaded());
}

TEST_F(AppManifestTest, AnswersTheSettingsOfTheDocument) {
  ASSERT_TRUE(Load(kAppConfig));
  std::u16string text;
  EXPECT_TRUE(app_->GetVersion(text) && text == u"2.1");
  EXPECT_TRUE(app_->GetArguments(text) && text.empty());  // plain texts may be empty
  EXPECT_FALSE(app_->GetWebApiUrl(text) || app_->GetAppShortcutImage(text));  // these may not
  EXPECT_TRUE(app_->GetServerAppName(text) && text == u"srv");
  Texts modules{u"before"};
  EXPECT_TRUE(app_->GetRuntimeModules(modules));
  EXPECT_EQ(modules, (Texts{u"before", u"core", u"db"}));
  EXPECT_TRUE(app_->IsX64() && app_->IsFullDownload() && !app_->CreateStartMenuShortcut());
  EXPECT_EQ(app_->GetStartMode(), 3);
  char16_t* startup = nullptr;
  ASSERT_TRUE(app_->GetStartupFileC(&startup) && startup != nullptr);
  EXPECT_EQ(std::u16string(startup), u"main.tqd");
  app_->FreeString(startup);
}

TEST_F(AppManifestTest, ListsAndMapsTheTopLevelFiles) {
  ASSERT_TRUE(Load(kAppConfig));
  CloudFileList files;
  ASSERT_TRUE(app_->GetPredownloadFiles(files) && app_->GetInstantDownloadFiles(files));
  EXPECT_EQ(Describe(files), (Texts{u"bin|a.dll|5", u"bin\\|a.dll|0", u"|top.dll|0", u"bin/|s.dll|0",
                                    u"lib|pkg.zip|0", u"lib\\|p2.zip|0", u"data|later.dat|0"}));
  EXPECT_TRUE(files.front().Action.empty() && files.front().UpdateType == 2 && !files.front().NeedExtract);
  EXPECT_TRUE((++files.rbegin())->NeedExtract);

  CloudFileMap map;
  ASSERT_TRUE(app_->MapPredownloadFiles(map));
  EXPECT_EQ(map.size(), 5u);
  EXPECT_EQ(map.at(u"bin\\a.dll").HashCode, u"h");  // the first of a key
  EXPECT_EQ(map.count(u"top.dll") + map.count(u"bin/\\s.dll") + map.count(u"lib\\p2.zip"), 3u);
}

TEST_F(AppManifestTest, FindsRegisterFilesAmongFilesAndInsidePackages) {
  ASSERT_TRUE(Load(kAppConfig));
  CloudFileList files;
  ASSERT_TRUE(app_->GetRegisterFiles(files));
  EXPECT_EQ(Describe(files), (Texts{u"bin|a.dll|5", u"x|c.dll|9", u"|d.dll|0", u"y|e.dll|0", u"bin/|s.dll|0"}));
  EXPECT_EQ(files.front().HashCode, u"h");
  for (const CloudFileInfo& file : files) EXPECT_EQ(file.Action, u"regasm");
}

TEST_F(AppManifestTest, AppliesIniUpdateTypesByNameIgnoringCase) {
  ASSERT_TRUE(Load(kAppConfig));
  CloudFileList files(3);
  const char16_t* names[] = {u"SETTING.ini", u"zero.ini", u"other.ini"};
  auto name = std::begin(names);
  for (CloudFileInfo& file : files) {
    file.Name = *name++;
    file.UpdateType = 9;
  }
  ASSERT_TRUE(app_->ApplyIniUpdateTypes(files));
  std::vector<int> types;
  for (const CloudFileInfo& file : files) types.push_back(file.UpdateType);
  EXPECT_EQ(types, (std::vector<int>{5, 2, 9}));  // the first ini file wins; 0 is read as 2
  CloudFileMap map;
  map[u"k"].Name = u"setting.INI";
  ASSERT_TRUE(app_->ApplyIniUpdateTypesToMap(map));
  EXPECT_EQ(map.at(u"k").UpdateType, 5);
}

TEST_F(AppManifestTest, EveryLoadStartsFromAnEmptyRecord) {
  // Fills the file lists, then fails for want of "IniConfigFiles".
  std::string partial = kAppConfig;
  partial.replace(partial.find("\"IniConfigFiles\""), 16, "\"NoIniFiles\"");
  EXPECT_FALSE(Load(partial));
  EXPECT_EQ(error_, u"");
  ASSERT_TRUE(Load(kMinimal));
  CloudFileList files;
  app_->GetPredownloadFiles(files);
  app_->GetRegisterFiles(files);
  EXPECT_EQ(Describe(files), (Texts{u"|only.dll|0", u"|only.dll|0"}));
  std::u16string text;
  EXPECT_FALSE(app_->GetModelName(text));  // the earlier document's "halvern" is gone
  ASSERT_TRUE(Load(kMinimal));
  Texts modules;
  app_->GetRuntimeModules(modules);
  EXPECT_EQ(modules, Texts{u"m"});
  EXPECT_FALSE(Load("{]"));
  EXPECT_FALSE(app_->GetRuntimeModules(modules));
}

// Tens of thousands of files and thousands of register files.
TEST_F(AppManifestTest, HandlesLargeDocuments) {
  constexpr std::size_t kFiles = 30000;
  constexpr std::size_t kRegistered = 5000;
  std::string json = R"({"InstantDownloadFiles":[],"RuntimeModules":[],"IniConfigFiles":[],"PredownloadFiles":[)";
  for (std::size_t f = 0; f < kFiles; ++f) {
    json += (f ? R"(,{"Name":"f)" : R"({"Name":"f)") + std::to_string(f) + R"(.dll","Path":"Bin\\d)" +
            std::to_string(f % 100) + R"("})";
  }
  json += R"(],"RegisterFiles":[)";
  for (std::size_t f = 0; f < kRegistered * 6; f += 6) {
    json += (f ? R"(,"bin\\D)" : R"("bin\\D)") + std::to_string(f % 100) + R"(\\F)" + std::to_string(f) + R"(.DLL")";
  }
  ASSERT_TRUE(Load(json + "]}"));
  CloudFileList files;
  ASSERT_TRUE(app_->GetRegisterFiles(files));
  ASSERT_EQ(files.size(), kRegistered);
  EXPECT_EQ(files.back().Name, u"f29994.dll");
  CloudFileMap map;
  ASSERT_TRUE(app_->MapPredownloadFiles(map));
  EXPECT_EQ(map.size(), kFiles);
}

}  // namespace
}  // namespace pelcor_test
