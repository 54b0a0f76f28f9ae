// The app configuration document through the loaded library: round trips
// through files and texts, defaults, required members, wrong types,
// packages, and the codes of unreadable inputs and unwritable outputs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "pelcor_library.h"
#include "platform/unicode.h"
#include "testing/temp_dir.h"

bool operator==(const AppFileNode& a, const AppFileNode& b) {
  return a.Name == b.Name && a.Path == b.Path && a.Size == b.Size && a.HashCode == b.HashCode &&
         a.Extractable == b.Extractable && a.Children == b.Children;
}
bool operator==(const RegisterFileEntry& a, const RegisterFileEntry& b) {
  return a.Path == b.Path && a.UseRegsvr32 == b.UseRegsvr32;
}
bool operator==(const IniConfigFileEntry& a, const IniConfigFileEntry& b) {
  return a.FileName == b.FileName && a.UpdateType == b.UpdateType;
}

namespace pelcor_test {
namespace {

// A document with `members` and, empty, each required array that
// `members` does not give.
std::string Document(const std::string& members) {
  std::string text = "{" + members;
  for (const char* name : {"PredownloadFiles", "InstantDownloadFiles", "RegisterFiles", "RuntimeModules",
                           "IniConfigFiles"}) {
    const std::string quoted = std::string("\"") + name + "\"";
    if (members.find(quoted) == std::string::npos) text += (text.size() > 1 ? "," : "") + quoted + ":[]";
  }
  return text + "}";
}

AppFileNode File(std::u16string name, std::u16string path, std::uint32_t size, bool extractable = false) {
  AppFileNode node;
  node.Name = std::move(name);
  node.Path = std::move(path);
  node.Size = size;
  node.HashCode = u"hash-" + node.Name;
  node.Extractable = extractable ? 1 : 0;
  return node;
}

// A record with every field set, as the writer can express it.
AppConfigRecord FullRecord() {
  AppConfigRecord record;
  record.Format = u"1.0";
  record.Version = u"2.4.1";
  record.UserGuid = u"{user}";
  record.UpdateGuid = u"{update}";
  record.StartupFile = u"main \u00E9\U0001F600.tqd";
  record.Is32Bit = 1;
  record.EncryptTqdFiles = 1;
  record.FullDownload = 1;
  record.StartMode = -7;
  record.IsVerOffCheck = 1;
  record.CreateDesktopShortcut = 1;
  record.CreateStartMenuShortcut = 1;
  record.CreateAppUninstallShortcut = 1;
  record.ShowStartAnimatedWindow = 1;
  record.CheckTqdValidaty = 1;
  record.AlwaysRunCommand = 1;
  record.Arguments = u"--quoted \"x\" \\ back";
  record.PreloadEventCommands = u"line1\nline2\ttab";
  record.RunCommandAsAdmin = 1;
  AppFileNode package = File(u"lib.zip", u"lib", 4000000000u, true);
  package.Children = {File(u"a.dll", u"x", 1), File(u"b.dll", u"", 2)};
  record.PredownloadFiles = {File(u"app.tqd", u"bin\\", 10), package, File(u"empty.zip", u"", 0, true)};
  record.InstantDownloadFiles = {File(u"help.chm", u"doc", 99)};
  record.RegisterFiles = {{u"lib\\x\\a.dll", 0}, {u"ocx\\c.ocx", 0}};
  record.RuntimeVersion = u"22.0";
  record.RuntimeModules = {u"Core Runtime Files", u"HTTPClient Support"};
  record.WebApiUrl = u"https://host/api";
  record.ModelName = u"Model";
  record.AppShortcutName = u"Shortcut";
  record.AppShortcutImage = u"icon.ico";
  record.IniConfigFiles = {{u"a.ini", 2}, {u"b.ini", 5}};
  return record;
}

void ExpectSameRecord(const AppConfigRecord& actual, const AppConfigRecord& expected) {
  EXPECT_EQ(actual.Format, expected.Format);
  EXPECT_EQ(actual.Version, expected.Version);
  EXPECT_EQ(actual.UserGuid, expected.UserGuid);
  EXPECT_EQ(actual.UpdateGuid, expected.UpdateGuid);
  EXPECT_EQ(actual.StartupFile, expected.StartupFile);
  EXPECT_EQ(actual.Is32Bit, expected.Is32Bit);
  EXPECT_EQ(actual.EncryptTqdFiles, expected.EncryptTqdFiles);
  EXPECT_EQ(actual.FullDownload, expected.FullDownload);
  EXPECT_EQ(actual.StartMode, expected.StartMode);
  EXPECT_EQ(actual.IsVerOffCheck, expected.IsVerOffCheck);
  EXPECT_EQ(actual.CreateDesktopShortcut, expected.CreateDesktopShortcut);
  EXPECT_EQ(actual.CreateStartMenuShortcut, expected.CreateStartMenuShortcut);
  EXPECT_EQ(actual.CreateAppUninstallShortcut, expected.CreateAppUninstallShortcut);
  EXPECT_EQ(actual.ShowStartAnimatedWindow, expected.ShowStartAnimatedWindow);
  EXPECT_EQ(actual.CheckTqdValidaty, expected.CheckTqdValidaty);
  EXPECT_EQ(actual.AlwaysRunCommand, expected.AlwaysRunCommand);
  EXPECT_EQ(actual.Arguments, expected.Arguments);
  EXPECT_EQ(actual.PreloadEventCommands, expected.PreloadEventCommands);
  EXPECT_EQ(actual.RunCommandAsAdmin, expected.RunCommandAsAdmin);
  EXPECT_TRUE(actual.PredownloadFiles == expected.PredownloadFiles);
  EXPECT_TRUE(actual.InstantDownloadFiles == expected.InstantDownloadFiles);
  EXPECT_TRUE(actual.RegisterFiles == expected.RegisterFiles);
  EXPECT_EQ(actual.RuntimeVersion, expected.RuntimeVersion);
  EXPECT_EQ(actual.RuntimeModules, expected.RuntimeModules);
  EXPECT_EQ(actual.WebApiUrl, expected.WebApiUrl);
  EXPECT_EQ(actual.ModelName, expected.ModelName);
  EXPECT_EQ(actual.ServerAppName, expected.ServerAppName);
  EXPECT_EQ(actual.AppShortcutName, expected.AppShortcutName);
  EXPECT_EQ(actual.AppShortcutImage, expected.AppShortcutImage);
  EXPECT_TRUE(actual.IniConfigFiles == expected.IniConfigFiles);
}

std::string Utf16Le(const std::u16string& text, bool mark) {
  std::string bytes = mark ? "\xFF\xFE" : "";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string Utf32Be(const std::u16string& text) {
  std::string bytes;
  for (char32_t c : platform::Utf16ToUtf32(text)) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((c >> shift) & 0xFF);
  }
  return bytes;
}

class AppConfigTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(manager_, nullptr); }

  std::uint32_t LoadFile(const std::string& bytes, AppConfigRecord& record) {
    dir_.Write(u"app.json", bytes);
    return manager_->LoadAppConfigFile(&record, dir_.File(u"app.json").c_str());
  }
  std::uint32_t LoadText(const std::string& bytes, AppConfigRecord& record) {
    return manager_->LoadAppConfigText(&record, bytes.data(), bytes.size());
  }
  std::string Save(const AppConfigRecord& record) {
    EXPECT_EQ(manager_->SaveAppConfig(dir_.File(u"saved.json").c_str(), &record), CONFIG_OK);
    return dir_.Read(u"saved.json").value_or("");
  }

  ManagerPtr manager_ = NewManager();
  lumarine_testing::TempDir dir_;
};

TEST_F(AppConfigTest, RoundTripThroughAFile) {
  const AppConfigRecord saved = FullRecord();
  Save(saved);
  AppConfigRecord loaded;
  ASSERT_EQ(manager_->LoadAppConfigFile(&loaded, dir_.File(u"saved.json").c_str()), CONFIG_OK);
  ExpectSameRecord(loaded, saved);
}

TEST_F(AppConfigTest, RoundTripThroughTextsInEveryEncoding) {
  const AppConfigRecord saved = FullRecord();
  const std::string utf8 = Save(saved);
  const std::u16string utf16 = platform::Utf8ToUtf16(utf8);
  for (const std::string& text : {utf8, "\xEF\xBB\xBF" + utf8, Utf16Le(utf16, true), Utf16Le(utf16, false),
                                  Utf32Be(utf16), utf8 + std::string(1, '\0') + "ignored"}) {
    AppConfigRecord loaded;
    ASSERT_EQ(LoadText(text, loaded), CONFIG_OK) << text.size();
    ExpectSameRecord(loaded, saved);
  }
}

TEST_F(AppConfigTest, SavedDocumentHasTheWritersMembersInOrder) {
  AppConfigRecord record;
  record.Format = u"2.0";
  record.ServerAppName = u"not written";
  record.RegisterFiles = {{u"r.dll", 1}};
  AppFileNode package = File(u"p.zip", u"", 5, true);
  AppFileNode inner = File(u"q.zip", u"", 6, true);
  inner.Children = {File(u"deep.dll", u"", 7)};
  package.Children = {inner};
  record.PredownloadFiles = {package};
  AppFileNode instant_package = File(u"i.zip", u"", 8, true);
  instant_package.Children = {File(u"not-written.dll", u"", 9)};
  record.InstantDownloadFiles = {instant_package};
  EXPECT_EQ(Save(record),
            R"({"Format":"1.0","Version":"","UpdateGuid":"","UserGuid":"","StartupFile":"","Is32Bit":false,)"
            R"("EncryptTqdFiles":false,"FullDownload":false,"PreloadEventCommands":"","RunCommandAsAdmin":false,)"
            R"("AlwaysRunCommand":false,"RuntimeVersion":"","StartMode":0,"IsVerOffCheck":false,)"
            R"("CreateDesktopShortcut":false,"CreateStartMenuShortcut":false,"CreateAppUninstallShortcut":false,)"
            R"("ShowStartAnimatedWindow":false,"CheckTqdValidaty":false,"AppShortcutName":"","AppShortcutImage":"",)"
            R"("Arguments":"",)"
            R"("PredownloadFiles":[{"Name":"p.zip","Path":"","HashCode":"hash-p.zip","Extractable":true,"Size":5}],)"
            R"("Packages":{"p.zip":[{"Name":"q.zip","Path":"","HashCode":"hash-q.zip","Extractable":true,"Size":6}]},)"
            R"("InstantDownloadFiles":[{"Name":"i.zip","Path":"","HashCode":"hash-i.zip","Extractable":true,"Size":8}],)"
            R"("RegisterFiles":["r.dll"],"RuntimeModules":[],"halvern":{"webapiurl":"","modelname":""},)"
            R"("IniConfigFiles":[]})");
}

TEST_F(AppConfigTest, AbsentMembersGiveDefaultsAndKeepTheServerTexts) {
  AppConfigRecord record;
  record.Version = u"old";
  record.StartMode = 9;
  record.Is32Bit = 1;
  record.WebApiUrl = u"kept";
  record.ServerAppName = u"kept too";
  ASSERT_EQ(LoadFile(Document(""), record), CONFIG_OK);
  EXPECT_EQ(record.Version, u"");
  EXPECT_EQ(record.StartMode, 0);
  EXPECT_EQ(record.Is32Bit, 0);
  EXPECT_EQ(record.WebApiUrl, u"kept");
  EXPECT_EQ(record.ServerAppName, u"kept too");
  EXPECT_TRUE(record.PredownloadFiles.empty());

  ASSERT_EQ(LoadFile(Document(R"("halvern":{"AppName":"server"})"), record), CONFIG_OK);
  EXPECT_EQ(record.WebApiUrl, u"");
  EXPECT_EQ(record.ServerAppName, u"server");
}

TEST_F(AppConfigTest, MembersOfAnotherTypeGiveDefaults) {
  AppConfigRecord record;
  record.WebApiUrl = u"kept";
  ASSERT_EQ(LoadText(Document(R"("Is32Bit":1,"FullDownload":"true","Version":5,"StartMode":2.5,"halvern":"x",)"
                              R"("PredownloadFiles":[5,"x",{"Name":7,"Size":"9","Extractable":1}],)"
                              R"("RegisterFiles":["a.dll",3,null],"RuntimeModules":[{},"Core"])"),
                     record),
            CONFIG_OK);
  EXPECT_EQ(record.Is32Bit, 0);
  EXPECT_EQ(record.FullDownload, 0);
  EXPECT_EQ(record.Version, u"");
  EXPECT_EQ(record.StartMode, 0);
  EXPECT_EQ(record.WebApiUrl, u"kept");
  ASSERT_EQ(record.PredownloadFiles.size(), 1u);
  EXPECT_TRUE(record.PredownloadFiles.front() == AppFileNode{});
  ASSERT_EQ(record.RegisterFiles.size(), 1u);
  EXPECT_EQ(record.RegisterFiles.front().Path, u"a.dll");
  EXPECT_EQ(record.RuntimeModules, std::list<std::u16string>{u"Core"});
}

TEST_F(AppConfigTest, NumbersAreTakenAsThe32BitIntegersTheyHold) {
  AppConfigRecord record;
  ASSERT_EQ(LoadText(Document(R"("StartMode":4294967297,"PredownloadFiles":[{"Size":-1},{"Size":4294967295}])"),
                     record),
            CONFIG_OK);
  EXPECT_EQ(record.StartMode, 1);
  ASSERT_EQ(record.PredownloadFiles.size(), 2u);
  EXPECT_EQ(record.PredownloadFiles.front().Size, 4294967295u);
  EXPECT_EQ(record.PredownloadFiles.back().Size, 4294967295u);
}

// A load that fails at any step, however much it had read, leaves the
// caller's record exactly as it was.
TEST_F(AppConfigTest, AFailedLoadLeavesTheRecordAsItWas) {
  const char* const required[] = {"PredownloadFiles", "InstantDownloadFiles", "RegisterFiles", "RuntimeModules",
                                  "IniConfigFiles"};
  std::vector<std::pair<std::string, std::uint32_t>> failing;
  for (const char* missing : required) {
    std::string members = R"("Version":"v","halvern":{"webapiurl":"u"})";
    for (const char* name : required) {
      if (name != missing) members += std::string(",\"") + name + R"(":["a"])";
    }
    failing.emplace_back("{" + members + "}", CONFIG_MISSING_MEMBER);
  }
  failing.emplace_back(R"({"PredownloadFiles":[{"Name":"f"}],"InstantDownloadFiles":[],"RegisterFiles":["r"],)"
                       R"("RuntimeModules":["m"],"halvern":{"webapiurl":"u"}})",
                       CONFIG_MISSING_MEMBER);
  failing.emplace_back(Document(R"("Version":"v","PredownloadFiles":[{"Name":"f"}],"IniConfigFiles":{})"),
                       CONFIG_INVALID_JSON);
  for (const auto& [text, code] : failing) {
    AppConfigRecord record = FullRecord();
    EXPECT_EQ(LoadText(text, record), code) << text;
    ExpectSameRecord(record, FullRecord());
  }
}

TEST_F(AppConfigTest, RequiredMembersOfAnotherTypeGiveThree) {
  for (const char* wrong : {R"("PredownloadFiles":{})", R"("RegisterFiles":"a.dll")", R"("IniConfigFiles":null)"}) {
    AppConfigRecord record;
    EXPECT_EQ(LoadText(Document(wrong), record), CONFIG_INVALID_JSON) << wrong;
  }
}

TEST_F(AppConfigTest, UnreadableInputsAndWrongRoots) {
  AppConfigRecord record;
  EXPECT_EQ(LoadFile("", record), CONFIG_EMPTY_FILE);
  EXPECT_EQ(LoadFile("  \r\n", record), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadFile("{\"Version\":", record), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadFile("\xEF\xBB\xBF" + Document(""), record), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadFile(Document("") + " {}", record), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadFile("[" + Document("") + "]", record), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadFile("\"text\"", record), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadFile(Document(R"("Version":"\uDC00")"), record), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadFile(std::string(100000, '['), record), CONFIG_INVALID_JSON);
  EXPECT_EQ(LoadText("\xEF\xBB\xBF" + Document(""), record), CONFIG_OK);
  EXPECT_EQ(LoadText("", record), CONFIG_INVALID_JSON);
  EXPECT_EQ(manager_->LoadAppConfigText(&record, nullptr, 0), CONFIG_INVALID_JSON);
  EXPECT_EQ(manager_->LoadAppConfigText(&record, nullptr, 10), CONFIG_INVALID_JSON);
  EXPECT_EQ(manager_->LoadAppConfigText(nullptr, "{}", 2), CONFIG_INVALID_JSON);
  EXPECT_EQ(manager_->LoadAppConfigFile(&record, dir_.File(u"missing.json").c_str()), CONFIG_OPEN_FAILED);
  EXPECT_EQ(manager_->LoadAppConfigFile(&record, nullptr), CONFIG_OPEN_FAILED);
}

TEST_F(AppConfigTest, IniFilesNeedANameAndAnIntegerType) {
  AppConfigRecord record;
  ASSERT_EQ(LoadText(Document(R"("IniConfigFiles":[{"FileName":"a.ini","UpdateType":0},{"FileName":"b.ini"},)"
                              R"({"UpdateType":3},{"FileName":"c.ini","UpdateType":7},{"FileName":1,"UpdateType":1},)"
                              R"({"FileName":"d.ini","UpdateType":"1"},"e.ini"])"),
                     record),
            CONFIG_OK);
  const std::list<IniConfigFileEntry> expected = {{u"a.ini", 2}, {u"c.ini", 7}};
  EXPECT_TRUE(record.IniConfigFiles == expected);
}

TEST_F(AppConfigTest, ExtractableFilesTakeTheirPackageContents) {
  AppConfigRecord record;
  ASSERT_EQ(LoadText(Document(R"("Packages":{"p.zip":[{"Name":"x.dll","Extractable":false},)"
                              R"({"Name":"q.zip","Extractable":true}],"q.zip":[{"Name":"y.dll"}],"n.zip":{}},)"
                              R"("InstantDownloadFiles":[{"Name":"p.zip","Extractable":true},{"Name":"p.zip"},)"
                              R"({"Name":"n.zip","Extractable":true}])"),
                     record),
            CONFIG_OK);
  ASSERT_EQ(record.InstantDownloadFiles.size(), 3u);
  const AppFileNode& package = record.InstantDownloadFiles.front();
  ASSERT_EQ(package.Children.size(), 2u);
  EXPECT_EQ(package.Children.front().Name, u"x.dll");
  ASSERT_EQ(package.Children.back().Children.size(), 1u);
  EXPECT_EQ(package.Children.back().Children.front().Name, u"y.dll");
  EXPECT_TRUE(std::next(record.InstantDownloadFiles.begin())->Children.empty());
  EXPECT_TRUE(record.InstantDownloadFiles.back().Children.empty());
}

TEST_F(AppConfigTest, PackagesThatContainThemselvesAreExpandedOnce) {
  AppConfigRecord record;
  ASSERT_EQ(LoadText(Document(R"("Packages":{"a.zip":[{"Name":"b.zip","Extractable":true}],)"
                              R"("b.zip":[{"Name":"a.zip","Extractable":true},{"Name":"b.zip","Extractable":true}]},)"
                              R"("PredownloadFiles":[{"Name":"a.zip","Extractable":true}])"),
                     record),
            CONFIG_OK);
  ASSERT_EQ(record.PredownloadFiles.size(), 1u);
  const AppFileNode& b = record.PredownloadFiles.front().Children.front();
  EXPECT_EQ(b.Name, u"b.zip");
  ASSERT_EQ(b.Children.size(), 2u);
  EXPECT_TRUE(b.Children.front().Children.empty());
  EXPECT_TRUE(b.Children.back().Children.empty());
}

// Packages nested too deep, or listing each other so often that their
// files would grow exponentially with the document, or a package listed
// under so many files that they pass the budget, are refused before
// anything is built; the record stays as it was. Elements that are not
// read as files, and packages no file names, do not raise the budget.
TEST_F(AppConfigTest, PackageChainsTooDeepOrSharedExponentiallyAreRefused) {
  std::string chain;
  for (int level = 0; level < 40; ++level) {
    chain += "\"p" + std::to_string(level) + "\":[{\"Name\":\"p" + std::to_string(level + 1) +
             "\",\"Extractable\":true}],";
  }
  const std::string start = R"("PredownloadFiles":[{"Name":"p0","Extractable":true}])";
  AppConfigRecord record = FullRecord();
  EXPECT_EQ(LoadText(Document("\"Packages\":{" + chain + "\"end\":[]}," + start), record), CONFIG_INVALID_JSON);
  ExpectSameRecord(record, FullRecord());

  // Each package lists the next one twice: 2^31 files if expanded, from 30
  // packages of two files each.
  std::string doubling;
  for (int level = 0; level < 31; ++level) {
    const std::string next = "{\"Name\":\"p" + std::to_string(level + 1) + "\",\"Extractable\":true}";
    doubling += "\"p" + std::to_string(level) + "\":[" + next + "," + next + "],";
  }
  EXPECT_EQ(LoadText(Document("\"Packages\":{" + doubling + "\"end\":[]}," + start), record), CONFIG_INVALID_JSON);
  ExpectSameRecord(record, FullRecord());

  // 2,200 files listing one package of 1,000: 2,202,200 files, over 2^21.
  std::string package;
  for (int i = 0; i < 1000; ++i) package += std::string(i > 0 ? "," : "") + R"({"Name":"f"})";
  std::string listed;
  for (int i = 0; i < 2200; ++i) listed += std::string(i > 0 ? "," : "") + R"({"Name":"p","Extractable":true})";
  const auto padding = [](const char* pad) {
    std::string elements;
    for (int i = 0; i < 140000; ++i) elements += std::string(i > 0 ? "," : "") + pad;
    return elements;
  };
  // Padding: numbers or objects in a package no file names, numbers among
  // the files of the package that is read.
  const std::string packages[] = {R"("p":[)" + package + R"(],"pad":[)" + padding("0") + "]",
                                  R"("p":[)" + package + R"(],"pad":[)" + padding("{}") + "]",
                                  R"("p":[)" + package + "," + padding("0") + "]"};
  for (std::size_t i = 0; i < std::size(packages); ++i) {
    EXPECT_EQ(LoadText(Document("\"Packages\":{" + packages[i] + R"(},"PredownloadFiles":[)" + listed + "]"), record),
              CONFIG_INVALID_JSON)
        << i;
    ExpectSameRecord(record, FullRecord());
  }
}

// Large ordinary documents load whole: a package of 300,000 files, and a
// package of 250 files listed under 1,100 files.
TEST_F(AppConfigTest, LargeConfigurationsLoadCompletely) {
  const auto files = [](const std::string& prefix, int count) {
    std::string array;
    for (int i = 0; i < count; ++i) {
      array += (i > 0 ? ",{\"Name\":\"" : "{\"Name\":\"") + prefix + std::to_string(i) +
               R"(","Path":"bin","HashCode":"0123456789abcdef0123456789abcdef","Size":)" + std::to_string(i) + "}";
    }
    return "[" + array + "]";
  };
  AppConfigRecord record;
  ASSERT_EQ(LoadFile(Document(R"("Packages":{"big.zip":)" + files("f", 300000) +
                              R"(},"PredownloadFiles":[{"Name":"big.zip","Extractable":true}])"),
                     record),
            CONFIG_OK);
  ASSERT_EQ(record.PredownloadFiles.size(), 1u);
  const std::list<AppFileNode>& big = record.PredownloadFiles.front().Children;
  ASSERT_EQ(big.size(), 300000u);
  EXPECT_EQ(big.back().Name, u"f299999");
  EXPECT_EQ(big.back().Size, 299999u);

  std::string listed;
  for (int i = 0; i < 1100; ++i) listed += std::string(i > 0 ? "," : "") + R"({"Name":"p.zip","Extractable":true})";
  AppConfigRecord shared;
  ASSERT_EQ(LoadFile(Document(R"("Packages":{"p.zip":)" + files("g", 250) + R"(},"PredownloadFiles":[)" + listed + "]"),
                     shared),
            CONFIG_OK);
  ASSERT_EQ(shared.PredownloadFiles.size(), 1100u);
  for (const AppFileNode& node : shared.PredownloadFiles) {
    ASSERT_EQ(node.Children.size(), 250u);
    EXPECT_EQ(node.Children.back().Name, u"g249");
  }
}

TEST_F(AppConfigTest, ListsAreAppendedUntilFreeAppConfigEmptiesThem) {
  const AppConfigRecord full = FullRecord();
  Save(full);
  AppConfigRecord record;
  ASSERT_EQ(manager_->LoadAppConfigFile(&record, dir_.File(u"saved.json").c_str()), CONFIG_OK);
  ASSERT_EQ(manager_->LoadAppConfigFile(&record, dir_.File(u"saved.json").c_str()), CONFIG_OK);
  EXPECT_EQ(record.RuntimeModules.size(), 2 * full.RuntimeModules.size());

  record.ServerAppName = u"server";
  manager_->FreeAppConfig(&record);
  EXPECT_TRUE(record.PredownloadFiles.empty());
  EXPECT_TRUE(record.InstantDownloadFiles.empty());
  EXPECT_TRUE(record.RegisterFiles.empty());
  EXPECT_TRUE(record.RuntimeModules.empty());
  EXPECT_TRUE(record.IniConfigFiles.empty());
  EXPECT_EQ(record.WebApiUrl, u"");
  EXPECT_EQ(record.ModelName, u"");
  EXPECT_EQ(record.ServerAppName, u"");
  EXPECT_EQ(record.Version, full.Version);
  EXPECT_EQ(record.StartMode, full.StartMode);
  manager_->FreeAppConfig(nullptr);
}

TEST_F(AppConfigTest, UnwritableOutputsKeepThePreviousFile) {
  const AppConfigRecord record = FullRecord();
  dir_.Write(u"locked.json", "previous");
  const std::string locked = dir_.native_path() + "/locked.json";
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  EXPECT_EQ(manager_->SaveAppConfig(dir_.File(u"locked.json").c_str(), &record), CONFIG_DELETE_FAILED);
  EXPECT_EQ(dir_.Read(u"locked.json"), "previous");
  EXPECT_EQ(manager_->SaveAppConfig(dir_.path().c_str(), &record), CONFIG_DELETE_FAILED);
  EXPECT_EQ(manager_->SaveAppConfig(dir_.File(u"missing/app.json").c_str(), &record), CONFIG_CREATE_FAILED);
  EXPECT_EQ(manager_->SaveAppConfig(nullptr, &record), CONFIG_CREATE_FAILED);
  EXPECT_EQ(manager_->SaveAppConfig(dir_.File(u"app.json").c_str(), nullptr), CONFIG_INVALID_JSON);
}

TEST_F(AppConfigTest, SaveIntoAReadOnlyFolderKeepsThePreviousFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const AppConfigRecord record = FullRecord();
  dir_.Write(u"sealed/app.json", "previous");
  const std::string sealed = dir_.native_path() + "/sealed";
  ASSERT_EQ(::chmod(sealed.c_str(), 0555), 0);
  EXPECT_EQ(manager_->SaveAppConfig(dir_.File(u"sealed/app.json").c_str(), &record), CONFIG_CREATE_FAILED);
  EXPECT_EQ(dir_.Read(u"sealed/app.json"), "previous");
  ::chmod(sealed.c_str(), 0755);
}

}  // namespace
}  // namespace pelcor_test
