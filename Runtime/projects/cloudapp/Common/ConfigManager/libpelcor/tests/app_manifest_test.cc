// IAppManifest through the loaded library: loading, the settings, the
// download lists and maps, the files to register and ini update types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "owned_object.h"
#include "pelcor_library.h"
#include "platform/unicode.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

const char kAppConfig[] = R"({"Format":"1.0","Version":"2.1","UpdateGuid":"ug","UserGuid":"us",
 "StartupFile":"main.tqd","Is32Bit":false,"EncryptTqdFiles":true,"FullDownload":true,
 "PreloadEventCommands":"pre","RunCommandAsAdmin":true,"AlwaysRunCommand":false,"RuntimeVersion":"22.0",
 "StartMode":3,"IsVerOffCheck":true,"CreateDesktopShortcut":true,"CreateStartMenuShortcut":false,
 "CreateAppUninstallShortcut":true,"ShowStartAnimatedWindow":true,"CheckTqdValidaty":true,
 "AppShortcutName":"App","AppShortcutImage":"","Arguments":"-x",
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

class AppManifestTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(app_, nullptr); }

  bool Load(std::string_view json) {
    error_ = u"unset";
    return app_->LoadFromText(json.data(), json.size(), error_);
  }

  std::vector<std::u16string> Names(const CloudFileList& files) {
    std::vector<std::u16string> names;
    for (const CloudFileInfo& file : files) names.push_back(file.Path + u"|" + file.Name);
    return names;
  }

  ManagerPtr manager_ = NewManager();
  Owned<IAppManifest> app_{manager_ ? manager_->CreateAppManifest() : nullptr};
  std::u16string error_;
  lumarine_testing::TempDir dir_;
};

TEST_F(AppManifestTest, RefusesEveryQueryUntilLoaded) {
  std::u16string text = u"kept";
  std::vector<std::u16string> modules;
  CloudFileList files(1);
  CloudFileMap map;
  char16_t* c_text = nullptr;
  EXPECT_FALSE(app_->IsLoaded());
  EXPECT_FALSE(app_->GetVersion(text) || app_->GetStartupFile(text) || app_->GetModelName(text) ||
               app_->GetAppShortcutName(text) || app_->GetRuntimeVersion(text) || app_->GetStartupFileC(&c_text));
  EXPECT_EQ(text, u"kept");
  EXPECT_EQ(c_text, nullptr);
  EXPECT_FALSE(app_->GetRuntimeModules(modules) || app_->GetPredownloadFiles(files) ||
               app_->GetRegisterFiles(files) || app_->MapInstantDownloadFiles(map) ||
               app_->ApplyIniUpdateTypes(files));
  EXPECT_FALSE(app_->IsX64() || app_->IsFullDownload() || app_->CheckTqdValidaty());
  EXPECT_EQ(app_->GetStartMode(), 0);
  EXPECT_EQ(files.size(), 1u);
  EXPECT_TRUE(modules.empty() && map.empty());
  app_->ClearList(files);
  EXPECT_TRUE(files.empty());
  app_->FreeString(nullptr);

  const std::u16string missing = dir_.File(u"missing.json");
  EXPECT_FALSE(app_->LoadFromFile(missing.c_str(), error_));
  EXPECT_EQ(error_, u"");
  EXPECT_FALSE(app_->IsLoaded());
}

TEST_F(AppManifestTest, AnswersTheSettingsOfTheDocument) {
  ASSERT_TRUE(dir_.Write(u"app.json", kAppConfig));
  ASSERT_TRUE(app_->LoadFromFile(dir_.File(u"app.json").c_str(), error_));
  EXPECT_TRUE(app_->IsLoaded());
  std::u16string text;
  EXPECT_TRUE(app_->GetVersion(text) && text == u"2.1");
  EXPECT_TRUE(app_->GetUpdateGuid(text) && text == u"ug");
  EXPECT_TRUE(app_->GetRuntimeVersion(text) && text == u"22.0");
  EXPECT_TRUE(app_->GetPreloadEventCommands(text) && text == u"pre");
  EXPECT_TRUE(app_->GetArguments(text) && text == u"-x");
  EXPECT_FALSE(app_->GetWebApiUrl(text));  // empty
  EXPECT_EQ(text, u"");
  EXPECT_TRUE(app_->GetModelName(text) && text == u"model");
  EXPECT_TRUE(app_->GetServerAppName(text) && text == u"srv");
  EXPECT_TRUE(app_->GetAppShortcutName(text) && text == u"App");
  EXPECT_FALSE(app_->GetAppShortcutImage(text));
  std::vector<std::u16string> modules{u"before"};
  EXPECT_TRUE(app_->GetRuntimeModules(modules));
  EXPECT_EQ(modules, (std::vector<std::u16string>{u"before", u"core", u"db"}));

  EXPECT_TRUE(app_->IsX64());
  EXPECT_TRUE(app_->EncryptTqdFiles() && app_->IsFullDownload() && app_->RunCommandAsAdmin());
  EXPECT_FALSE(app_->AlwaysRunCommand() || app_->CreateStartMenuShortcut());
  EXPECT_TRUE(app_->IsVerOffCheck() && app_->CreateDesktopShortcut() && app_->CreateAppUninstallShortcut() &&
              app_->ShowStartAnimatedWindow() && app_->CheckTqdValidaty());
  EXPECT_EQ(app_->GetStartMode(), 3);

  char16_t* startup = nullptr;
  ASSERT_TRUE(app_->GetStartupFileC(&startup));
  ASSERT_NE(startup, nullptr);
  EXPECT_EQ(std::u16string(startup), u"main.tqd");
  app_->FreeString(startup);
}

TEST_F(AppManifestTest, ListsAndMapsTheTopLevelFiles) {
  ASSERT_TRUE(Load(kAppConfig));
  CloudFileList files;
  ASSERT_TRUE(app_->GetPredownloadFiles(files));
  ASSERT_EQ(files.size(), 6u);  // package contents are not listed
  const CloudFileInfo& first = files.front();
  EXPECT_EQ(first.HashCode, u"h");
  EXPECT_EQ(first.Size, 5u);
  EXPECT_EQ(first.Action + first.PackageName, u"");
  EXPECT_EQ(first.UpdateType, 2);
  EXPECT_TRUE(files.back().NeedExtract);
  ASSERT_TRUE(app_->GetInstantDownloadFiles(files));
  EXPECT_EQ(files.back().Name, u"later.dat");

  CloudFileMap map;
  ASSERT_TRUE(app_->MapPredownloadFiles(map));
  EXPECT_EQ(map.size(), 5u);
  EXPECT_EQ(map.at(u"bin\\a.dll").HashCode, u"h");
  EXPECT_EQ(map.count(u"top.dll"), 1u);
  EXPECT_EQ(map.count(u"bin/\\s.dll"), 1u);
  EXPECT_EQ(map.count(u"lib\\p2.zip"), 1u);
  ASSERT_TRUE(app_->MapInstantDownloadFiles(map));
  EXPECT_EQ(map.count(u"data\\later.dat"), 1u);
}

TEST_F(AppManifestTest, FindsRegisterFilesAmongFilesAndInsidePackages) {
  ASSERT_TRUE(Load(kAppConfig));
  CloudFileList files;
  ASSERT_TRUE(app_->GetRegisterFiles(files));
  EXPECT_EQ(Names(files), (std::vector<std::u16string>{u"bin|a.dll", u"x|c.dll", u"|d.dll", u"y|e.dll", u"bin/|s.dll"}));
  EXPECT_EQ(files.front().HashCode, u"h");  // the first of two a.dll
  for (const CloudFileInfo& file : files) EXPECT_EQ(file.Action, u"regasm");
  EXPECT_EQ((++files.begin())->Size, 9u);
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
  EXPECT_FALSE(app_->IsLoaded());

  ASSERT_TRUE(Load(kMinimal));
  CloudFileList files;
  app_->GetPredownloadFiles(files);
  app_->GetRegisterFiles(files);
  EXPECT_EQ(Names(files), (std::vector<std::u16string>{u"|only.dll", u"|only.dll"}));
  std::u16string text;
  EXPECT_FALSE(app_->GetModelName(text));  // the earlier document's "halvern" is gone
  ASSERT_TRUE(Load(kMinimal));
  std::vector<std::u16string> modules;
  app_->GetRuntimeModules(modules);
  EXPECT_EQ(modules, std::vector<std::u16string>{u"m"});
  EXPECT_FALSE(Load("{]"));
  EXPECT_FALSE(app_->GetRuntimeModules(modules));
}

TEST_F(AppManifestTest, LoadsTextInAnyUnicodeEncoding) {
  const std::u16string text = platform::Utf8ToUtf16(kMinimal);
  std::string utf16be;
  for (char16_t unit : text) utf16be.append({static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)});
  char16_t* error = nullptr;
  ASSERT_TRUE(app_->LoadFromTextC(utf16be.data(), utf16be.size(), &error));
  EXPECT_FALSE(app_->LoadFromTextC("{", 1, &error));
  EXPECT_EQ(error, nullptr);  // the error text is empty: nothing to hand out
  EXPECT_FALSE(app_->LoadFromTextC(nullptr, 4, nullptr));
}

// Tens of thousands of files and thousands of register files.
TEST_F(AppManifestTest, HandlesLargeDocuments) {
  constexpr int kFiles = 30000;
  constexpr int kRegistered = 5000;
  std::string json = R"({"PredownloadFiles":[)";
  for (int f = 0; f < kFiles; ++f) {
    json += (f ? "," : "") + std::string(R"({"Name":"f)") + std::to_string(f) + R"(.dll","Path":"Bin\\d)" +
            std::to_string(f % 100) + R"("})";
  }
  json += R"(],"InstantDownloadFiles":[],"RuntimeModules":[],"IniConfigFiles":[],"RegisterFiles":[)";
  for (int r = 0; r < kRegistered; ++r) {
    const int f = r * 6;
    json += (r ? "," : "") + std::string(R"("bin\\D)") + std::to_string(f % 100) + R"(\\F)" + std::to_string(f) +
            R"(.DLL")";
  }
  json += "]}";
  ASSERT_TRUE(Load(json));
  CloudFileList files;
  ASSERT_TRUE(app_->GetRegisterFiles(files));
  ASSERT_EQ(files.size(), std::size_t{kRegistered});
  EXPECT_EQ(files.back().Name, u"f29994.dll");
  CloudFileMap map;
  ASSERT_TRUE(app_->MapPredownloadFiles(map));
  EXPECT_EQ(map.size(), std::size_t{kFiles});
}

}  // namespace
}  // namespace pelcor_test
