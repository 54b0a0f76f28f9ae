// The runtime manifest through the loaded library: IRuntimeManifest
// (reading, lookups, editing, saving, failures) and the manager's copy of
// the modules into a RuntimeModulesRecord.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <tuple>
#include <vector>

#include "owned_object.h"
#include "pelcor_library.h"
#include "platform/files.h"
#include "platform/unicode.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

using Names = std::vector<std::u16string>;

const char kManifest[] = R"({"version":"3.2","format":"rt1","modules":[
  {"name":"Core","groupid":1,"clienttype":2,"option":true,"description":"core runtime","files":[
    {"name":"core.dll","size":1024,"path":"bin","action":"  copy ","hashcode":"h1","isneedextract":false},
    {"name":"core.pdb","size":10,"path":"bin\\","action":"\tcopy","hashcode":"h2","packagename":"p"}]},
  {"NAME":"Db","option":7,"FILES":[{"name":"db.dll","path":""}]},
  {"name":"Web","groupid":"2","option":"x","files":{"name":"web.dll"}}],
 "groups":[{"groupid":1,"name":"base","dbi":true},{"groupid":2,"name":"data","dbi":1}]})";

class RuntimeManifestTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(manifest_, nullptr); }

  Owned<IRuntimeManifest> NewManifest() { return Owned<IRuntimeManifest>(manager_->CreateRuntimeManifest()); }

  // Writes `json` to `name` and loads it into the fixture's manifest.
  bool Load(std::string_view json, std::u16string_view name = u"manifest.json") {
    dir_.Write(name, json);
    error_ = u"unset";
    return manifest_->Load(dir_.File(name).c_str(), error_);
  }

  std::string SaveAndRead(IRuntimeManifest& manifest) {
    EXPECT_TRUE(manifest.Save(dir_.File(u"saved.json").c_str()));
    return dir_.Read(u"saved.json").value_or("");
  }

  ManagerPtr manager_ = NewManager();
  lumarine_testing::TempDir dir_;
  Owned<IRuntimeManifest> manifest_ = manager_ ? NewManifest() : nullptr;
  std::u16string error_;
};

TEST_F(RuntimeManifestTest, ReadsModulesWithTheirMembersIgnoringCaseWhereTheFormatSaysSo) {
  ASSERT_TRUE(Load(kManifest));
  EXPECT_TRUE(manifest_->IsLoaded());
  EXPECT_EQ(error_, u"");
  Names names;
  ASSERT_TRUE(manifest_->GetModuleNames(names));
  EXPECT_EQ(names, (Names{u"Core", u"Db", u"Web"}));

  std::int32_t number = 42;
  EXPECT_TRUE(manifest_->GetOption(u"core", number));
  EXPECT_EQ(number, 1);  // JSON true
  EXPECT_TRUE(manifest_->GetOption(u"DB", number));
  EXPECT_EQ(number, 7);
  number = 42;
  EXPECT_TRUE(manifest_->GetOption(u"Web", number));  // a string leaves the value alone
  EXPECT_EQ(number, 42);
  EXPECT_FALSE(manifest_->GetOption(u"Missing", number));
  EXPECT_EQ(number, 1);

  EXPECT_TRUE(manifest_->GetGroupId(u"Core", number));
  EXPECT_EQ(number, 1);
  EXPECT_FALSE(manifest_->GetGroupId(u"Web", number));  // "2" is a string
  EXPECT_EQ(number, 0);
  EXPECT_TRUE(manifest_->GetClientType(u"Core", number));
  EXPECT_EQ(number, 2);
  EXPECT_TRUE(manifest_->GetClientType(u"Db", number));
  EXPECT_EQ(number, 1);
  EXPECT_FALSE(manifest_->GetClientType(u"Missing", number));
  EXPECT_EQ(number, 0);

  std::u16string text = u"old";
  EXPECT_TRUE(manifest_->GetDescription(u"CORE", text));
  EXPECT_EQ(text, u"core runtime");
  EXPECT_FALSE(manifest_->GetDescription(u"Db", text));
  EXPECT_TRUE(manifest_->GetVersion(text));
  EXPECT_EQ(text, u"3.2");
  EXPECT_TRUE(manifest_->GetFormat(text));
  EXPECT_EQ(text, u"rt1");
}

TEST_F(RuntimeManifestTest, ReadsFileEntriesWithTypeChecksAndTrimmedActions) {
  ASSERT_TRUE(Load(kManifest));
  CloudFileList files;
  ASSERT_TRUE(manifest_->GetFilesOfModules({u"core", u"Missing", u"Web", u"db"}, files));
  ASSERT_EQ(files.size(), 3u);  // Web's "files" is not an array
  auto file = files.begin();
  EXPECT_EQ(file->Name, u"core.dll");
  EXPECT_EQ(file->Size, 1024u);
  EXPECT_EQ(file->Path, u"bin");
  EXPECT_EQ(file->Action, u"copy");
  EXPECT_EQ(file->HashCode, u"h1");
  EXPECT_FALSE(file->NeedExtract);
  EXPECT_EQ(file->UpdateType, 2);
  ++file;
  EXPECT_EQ(file->Action, u"\tcopy");  // only spaces are trimmed
  EXPECT_EQ(file->PackageName, u"p");
  ++file;
  EXPECT_EQ(file->Name, u"db.dll");
  EXPECT_EQ(file->Path, u"");

  // Lists are appended to; every module in document order.
  ASSERT_TRUE(manifest_->GetAllFiles(files));
  EXPECT_EQ(files.size(), 6u);
  bool packed = true;
  EXPECT_FALSE(manifest_->HasPackage(u"Core", packed));
  EXPECT_FALSE(packed);
}

TEST_F(RuntimeManifestTest, MapsFilesUnderTheirRelativePathKeepingTheFirstOfAKey) {
  ASSERT_TRUE(Load(R"({"modules":[{"name":"m","files":[
    {"name":"a.dll","path":"bin","hashcode":"first"},
    {"name":"a.dll","path":"bin\\","hashcode":"second"},
    {"name":"b.dll","path":"lib/x"},
    {"name":"b.dll","path":"lib\\x\\"},
    {"name":"c.dll","path":""}, 7]}]})"));
  CloudFileMap files;
  files[u"c.dll"].HashCode = u"caller's";
  ASSERT_TRUE(manifest_->MapAllFiles(files));
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files.at(u"bin\\a.dll").HashCode, u"first");
  EXPECT_EQ(files.count(u"lib/x\\b.dll"), 1u);
  EXPECT_EQ(files.count(u"lib\\x\\b.dll"), 1u);
  EXPECT_EQ(files.at(u"c.dll").HashCode, u"caller's");
  CloudFileMap one;
  ASSERT_TRUE(manifest_->MapFilesOfModule(u"M", one));
  EXPECT_EQ(one.size(), 4u);
}

TEST_F(RuntimeManifestTest, ReadsGroupsOnlyWhenLoaded) {
  ASSERT_TRUE(Load(kManifest));
  std::vector<int> ids;
  ASSERT_TRUE(manifest_->GetGroupIds(ids));
  EXPECT_EQ(ids, (std::vector<int>{1, 2}));
  std::u16string name;
  EXPECT_TRUE(manifest_->GetGroupName(2, name));
  EXPECT_EQ(name, u"data");
  bool dbi = false;
  EXPECT_TRUE(manifest_->GetDbi(1, dbi));
  EXPECT_TRUE(dbi);
  EXPECT_FALSE(manifest_->GetDbi(2, dbi));  // a number is not a boolean
  EXPECT_FALSE(dbi);
  EXPECT_FALSE(manifest_->GetGroupName(3, name));

  const auto fresh = NewManifest();
  EXPECT_FALSE(fresh->IsLoaded());
  EXPECT_FALSE(fresh->GetGroupIds(ids));
  EXPECT_FALSE(fresh->GetVersion(name));
  Names names;
  EXPECT_FALSE(fresh->GetModuleNames(names));
}

TEST_F(RuntimeManifestTest, FailedLoadsExplainThemselvesAndKeepThePreviousDocument) {
  ASSERT_TRUE(Load(kManifest));
  const std::u16string missing = dir_.File(u"missing.json");
  EXPECT_FALSE(manifest_->Load(missing.c_str(), error_));
  EXPECT_EQ(error_, u"Failed to open the file \"" + missing + u"\".");
  EXPECT_TRUE(manifest_->IsLoaded());  // nothing was read

  EXPECT_FALSE(Load("", u"empty.json"));
  EXPECT_EQ(error_, u"Failed to parse the file \"" + dir_.File(u"empty.json") +
                        u"\". Error: \"The document is empty.\", offset: 0.");
  EXPECT_FALSE(Load(R"({"modules":[}])", u"bad.json"));
  EXPECT_EQ(error_, u"Failed to parse the file \"" + dir_.File(u"bad.json") +
                        u"\". Error: \"Invalid value.\", offset: 13.");
  EXPECT_FALSE(Load(R"({"modules":{"name":"x"}})", u"object.json"));
  EXPECT_EQ(error_,
            u"Failed to parse the file \"" + dir_.File(u"object.json") + u"\". Invalid json member \"modules\".");
  EXPECT_FALSE(Load("[1]", u"array.json"));

  // Not loaded now: root texts and groups refuse, modules still answer
  // from the previous document.
  EXPECT_FALSE(manifest_->IsLoaded());
  std::u16string text;
  EXPECT_FALSE(manifest_->GetVersion(text));
  std::vector<int> ids;
  EXPECT_FALSE(manifest_->GetGroupIds(ids));
  std::int32_t option = 0;
  EXPECT_TRUE(manifest_->GetOption(u"Db", option));
  EXPECT_EQ(option, 7);
}

TEST_F(RuntimeManifestTest, MessagesAreNotCutForLongPaths) {
  std::u16string folder = u"d";
  for (int level = 0; level < 15; ++level) folder += u"/" + std::u16string(200, u'd');
  ASSERT_TRUE(platform::CreateFolders(dir_.File(folder)));
  const std::u16string name = folder + u"/bad.json";
  EXPECT_FALSE(Load("{", name));
  EXPECT_EQ(error_, u"Failed to parse the file \"" + dir_.File(name) +
                        u"\". Error: \"Missing a name for object member.\", offset: 1.");
  const std::u16string missing = dir_.File(folder + u"/" + std::u16string(200, u'm'));
  EXPECT_FALSE(manifest_->Load(missing.c_str(), error_));
  EXPECT_EQ(error_.size(), missing.size() + 27);
}

TEST_F(RuntimeManifestTest, ReadsEveryUnicodeEncoding) {
  const std::u16string json = uR"({"modules":[{"name":"Módulo😀"}]})";
  std::string utf16le("\xFF\xFE", 2);
  for (char16_t unit : json) utf16le.append({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
  ASSERT_TRUE(Load(utf16le)) << platform::Utf16ToUtf8(error_);
  Names names;
  manifest_->GetModuleNames(names);
  EXPECT_EQ(names, Names{u"Módulo😀"});
  ASSERT_TRUE(Load("\xEF\xBB\xBF" + platform::Utf16ToUtf8(json)));
}

TEST_F(RuntimeManifestTest, EditsSaveCompactlyAndReadBack) {
  ASSERT_TRUE(Load(kManifest));
  EXPECT_TRUE(manifest_->AddModule(u"CORE"));  // exists: nothing changes
  EXPECT_TRUE(manifest_->AddModule(u"Extra"));
  EXPECT_TRUE(manifest_->SetOption(u"extra", 5));
  EXPECT_TRUE(manifest_->SetDescription(u"extra", nullptr));
  EXPECT_TRUE(manifest_->SetGroupId(u"extra", 2));
  EXPECT_TRUE(manifest_->SetClientType(u"Core", 9));
  EXPECT_FALSE(manifest_->SetOption(u"Missing", 5));
  CloudFileInfo file;
  file.Name = u"x.dll";
  file.Size = 4000000000u;
  file.Action = u"run";
  EXPECT_TRUE(manifest_->SetFiles(u"db", {file}));  // replaces "FILES"
  EXPECT_TRUE(manifest_->SetVersion(u"4.0"));
  EXPECT_TRUE(manifest_->SetGroupName(1, u"renamed"));
  EXPECT_TRUE(manifest_->SetGroupName(7, u"new"));  // added
  EXPECT_TRUE(manifest_->SetDbi(2, true));
  EXPECT_FALSE(manifest_->SetDbi(8, true));
  EXPECT_TRUE(manifest_->RemoveGroup(1));
  EXPECT_FALSE(manifest_->RemoveGroup(1));

  const std::string saved = SaveAndRead(*manifest_);
  EXPECT_EQ(saved.rfind(R"({"version":"4.0","format":"rt1","modules":[{"name":"Core",)", 0), 0u);
  EXPECT_EQ(saved.find_first_of("\n\r\t"), std::string::npos);
  EXPECT_EQ(saved.find(": "), std::string::npos);
  EXPECT_EQ(saved.find(", "), std::string::npos);
  EXPECT_NE(saved.find(R"({"NAME":"Db","option":7,"FILES":[{"name":"x.dll","size":4000000000,"path":".",)"
                       R"("action":"run","hashcode":"","isneedextract":false,"packagename":""}]})"),
            std::string::npos);

  const auto again = NewManifest();
  ASSERT_TRUE(again->Load(dir_.File(u"saved.json").c_str(), error_));
  std::int32_t number = 0;
  EXPECT_TRUE(again->GetClientType(u"core", number));
  EXPECT_EQ(number, 9);
  EXPECT_TRUE(again->GetGroupId(u"Extra", number));
  EXPECT_EQ(number, 2);
  std::u16string text;
  EXPECT_TRUE(again->GetDescription(u"Extra", text));
  EXPECT_EQ(text, u"");
  std::vector<int> ids;
  again->GetGroupIds(ids);
  EXPECT_EQ(ids, (std::vector<int>{2, 7}));
  bool dbi = false;
  EXPECT_TRUE(again->GetDbi(2, dbi) && dbi);
  CloudFileList files;
  again->GetFilesOfModule(u"Db", files);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files.front().Size, 4000000000u);
}

TEST_F(RuntimeManifestTest, EditsAfterTheDocumentGrewReachTheLiveArrays) {
  // A parsed root has room for exactly its members; adding "groups" moves
  // them, and later module edits must land in the moved "modules".
  ASSERT_TRUE(Load(R"({"modules":[{"name":"a"}]})"));
  std::vector<int> ids;
  EXPECT_FALSE(manifest_->GetGroupIds(ids));
  EXPECT_TRUE(manifest_->AddGroup(3, u"g"));
  EXPECT_TRUE(manifest_->SetVersion(u"1"));
  EXPECT_TRUE(manifest_->SetFormat(u"f"));
  EXPECT_TRUE(manifest_->AddModule(u"b"));
  EXPECT_TRUE(manifest_->SetPackaged(u"b", true));
  EXPECT_TRUE(manifest_->AddGroup(4, nullptr));
  EXPECT_EQ(SaveAndRead(*manifest_),
            R"({"modules":[{"name":"a"},{"name":"b","files":[{"name":"b.zip","size":0,"path":".","action":"",)"
            R"("hashcode":"","isneedextract":true,"packagename":""}]}],"groups":[{"groupid":3,"name":"g"},)"
            R"({"groupid":4,"name":""}],"version":"1","format":"f"})");

  ASSERT_TRUE(Load(R"({"modules":[],"groups":{}})"));
  EXPECT_FALSE(manifest_->AddGroup(1, u"x"));  // "groups" is not an array
  EXPECT_FALSE(manifest_->GetGroupIds(ids));
}

TEST_F(RuntimeManifestTest, EditingANewManifestStartsAnEmptyOne) {
  const auto fresh = NewManifest();
  EXPECT_TRUE(fresh->Save(dir_.File(u"saved.json").c_str()));
  EXPECT_EQ(dir_.Read(u"saved.json"), "null");
  EXPECT_FALSE(fresh->SetOption(u"a", 1));
  EXPECT_FALSE(fresh->IsLoaded());
  EXPECT_FALSE(fresh->SetDbi(1, true));  // no such group, but now an empty manifest
  EXPECT_TRUE(fresh->IsLoaded());
  EXPECT_TRUE(fresh->AddModule(u"a"));
  EXPECT_EQ(SaveAndRead(*fresh), R"({"modules":[{"name":"a"}],"groups":[]})");
}

TEST_F(RuntimeManifestTest, PackingKeepsOnePackageEntryAndUnpackingRemovesIt) {
  ASSERT_TRUE(Load(kManifest));
  ASSERT_TRUE(manifest_->SetPackaged(u"core", true));
  ASSERT_TRUE(manifest_->SetPackaged(u"Core", true));
  CloudFileList files;
  manifest_->GetFilesOfModule(u"Core", files);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files.front().Name, u"core.zip");  // named as first requested
  EXPECT_EQ(files.front().Path, u".");
  EXPECT_EQ(files.front().Size, 0u);
  EXPECT_TRUE(files.front().NeedExtract);
  EXPECT_EQ(files.back().PackageName, u"Core.zip");
  bool packed = false;
  EXPECT_TRUE(manifest_->HasPackage(u"CORE", packed));
  EXPECT_TRUE(packed);

  ASSERT_TRUE(manifest_->SetPackaged(u"Core", false));
  files.clear();
  manifest_->GetFilesOfModule(u"Core", files);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files.front().Name, u"core.dll");
  EXPECT_EQ(files.back().PackageName, u"");
  EXPECT_FALSE(manifest_->SetPackaged(u"Missing", true));
}

TEST_F(RuntimeManifestTest, AFailedSaveLeavesThePreviousFile) {
  ASSERT_TRUE(Load(kManifest));
  ASSERT_TRUE(dir_.Write(u"locked.json", "previous"));
  ASSERT_EQ(::chmod(dir_.native_path().append("/locked.json").c_str(), 0444), 0);
  EXPECT_FALSE(manifest_->Save(dir_.File(u"locked.json").c_str()));
  EXPECT_EQ(dir_.Read(u"locked.json"), "previous");
  EXPECT_FALSE(manifest_->Save(dir_.File(u"no/such/folder.json").c_str()));
  EXPECT_FALSE(manifest_->Save(dir_.path().c_str()));
  EXPECT_FALSE(manifest_->Save(nullptr));

  // A lone surrogate cannot be written as UTF-8; it is saved as U+FFFD.
  EXPECT_TRUE(manifest_->SetDescription(u"Core", u"a\xD800"));
  const auto again = NewManifest();
  SaveAndRead(*manifest_);
  ASSERT_TRUE(again->Load(dir_.File(u"saved.json").c_str(), error_));
  std::u16string text;
  again->GetDescription(u"Core", text);
  EXPECT_EQ(text, u"a\xFFFD");
}

// Tens of thousands of files: read, listed, mapped, edited, saved and read
// again. Slow code shows here (a quadratic walk would take minutes).
TEST_F(RuntimeManifestTest, HandlesLargeManifests) {
  constexpr int kModules = 200;
  constexpr int kFilesPerModule = 200;
  std::string json = R"({"version":"1","modules":[)";
  for (int m = 0; m < kModules; ++m) {
    json += (m ? "," : "") + std::string(R"({"name":"mod)") + std::to_string(m) + R"(","files":[)";
    for (int f = 0; f < kFilesPerModule; ++f) {
      json += (f ? "," : "") + std::string(R"({"name":"f)") + std::to_string(f) + R"(.dll","size":)" +
              std::to_string(f) + R"(,"path":"m)" + std::to_string(m) + R"(\\d","hashcode":"0123456789abcdef"})";
    }
    json += "]}";
  }
  json += "]}";
  ASSERT_TRUE(Load(json));
  CloudFileList files;
  ASSERT_TRUE(manifest_->GetAllFiles(files));
  EXPECT_EQ(files.size(), std::size_t{kModules} * kFilesPerModule);
  CloudFileMap map;
  ASSERT_TRUE(manifest_->MapAllFiles(map));
  EXPECT_EQ(map.size(), files.size());
  EXPECT_EQ(map.at(u"m199\\d\\f199.dll").Size, 199u);
  Names last_modules;
  for (int m = kModules - 1; m >= 0; --m) last_modules.push_back(u"MOD" + platform::Utf8ToUtf16(std::to_string(m)));
  files.clear();
  ASSERT_TRUE(manifest_->GetFilesOfModules(last_modules, files));
  EXPECT_EQ(files.front().Path, u"m199\\d");
  ASSERT_TRUE(manifest_->SetPackaged(u"mod0", true));

  SaveAndRead(*manifest_);
  const auto again = NewManifest();
  ASSERT_TRUE(again->Load(dir_.File(u"saved.json").c_str(), error_));
  files.clear();
  again->GetAllFiles(files);
  EXPECT_EQ(files.size(), std::size_t{kModules} * kFilesPerModule + 1);
}

TEST_F(RuntimeManifestTest, WrongMemberTypesAreNeverReadAsTheExpectedType) {
  ASSERT_TRUE(Load(R"({"version":5,"modules":[1,"x",null,{"name":5},{"Name":"ok","files":[
    {"name":6,"size":"big","path":["p"],"action":1,"hashcode":{},"isneedextract":1,"packagename":2},
    {"name":"z","size":2.5},[]]}],"groups":[1,{"groupid":"1"},{"groupid":1.0},{"groupid":2,"name":3}]})"));
  Names names;
  manifest_->GetModuleNames(names);
  EXPECT_EQ(names, Names{u"ok"});
  std::u16string text = u"old";
  EXPECT_FALSE(manifest_->GetVersion(text));
  EXPECT_EQ(text, u"");
  CloudFileList files;
  ASSERT_TRUE(manifest_->GetAllFiles(files));
  ASSERT_EQ(files.size(), 2u);
  const CloudFileInfo& odd = files.front();
  EXPECT_EQ(odd.Name, u"");
  EXPECT_EQ(odd.Size, 0u);
  EXPECT_EQ(odd.Path, u"");
  EXPECT_EQ(odd.Action + odd.HashCode + odd.PackageName, u"");
  EXPECT_FALSE(odd.NeedExtract);
  EXPECT_EQ(files.back().Size, 0u);
  std::vector<int> ids;
  manifest_->GetGroupIds(ids);
  EXPECT_EQ(ids, std::vector<int>{2});
  EXPECT_FALSE(manifest_->GetGroupName(2, text));
  EXPECT_TRUE(manifest_->SetGroupName(2, u"named"));
  EXPECT_TRUE(manifest_->GetGroupName(2, text));
  EXPECT_EQ(text, u"named");
}

// LoadRuntimeModules: the manager's copy into a caller record.

class RuntimeModulesRecordTest : public RuntimeManifestTest {
 protected:
  std::uint32_t LoadRecord(std::string_view json) {
    dir_.Write(u"record.json", json);
    return manager_->LoadRuntimeModules(&record_, dir_.File(u"record.json").c_str());
  }
  void TearDown() override {
    manager_->FreeRuntimeModules(&record_);
    EXPECT_EQ(record_.Modules, nullptr);
    EXPECT_EQ(record_.Groups, nullptr);
  }

  RuntimeModulesRecord record_;
};

TEST_F(RuntimeModulesRecordTest, CopiesModulesVersionAndGroupsInDocumentOrder) {
  const std::string long_name(100, 'n');
  ASSERT_EQ(LoadRecord(R"({"version":")" + std::string(40, 'v') + R"(","modules":[
    {"name":"a","option":true,"groupid":4,"clienttype":3},
    {"name":")" + long_name + R"(","option":false},{"option":9},{"option":"x","clienttype":"2"},7],
    "groups":[{"name":"g","groupid":4,"dbi":true},{"dbi":1}]})"),
            0u);
  EXPECT_EQ(std::u16string(record_.Version), std::u16string(31, u'v'));
  std::vector<std::tuple<std::u16string, int, int, int>> modules;
  for (const RuntimeModuleNode* node = record_.Modules; node != nullptr; node = node->Next) {
    modules.emplace_back(node->Name, node->Option, node->GroupId, node->ClientType);
  }
  EXPECT_EQ(modules, (decltype(modules){{u"a", 3, 4, 3},
                                        {std::u16string(63, u'n'), 0, 0, 1},
                                        {u"", 9, 0, 1},
                                        {u"", 0, 0, 1}}));
  ASSERT_NE(record_.Groups, nullptr);
  EXPECT_EQ(std::u16string(record_.Groups->Name), u"g");
  EXPECT_EQ(record_.Groups->GroupId, 4);
  EXPECT_EQ(record_.Groups->Dbi, 1);
  ASSERT_NE(record_.Groups->Next, nullptr);
  EXPECT_EQ(record_.Groups->Next->Dbi, 0);
  EXPECT_EQ(record_.Groups->Next->Next, nullptr);
}

TEST_F(RuntimeModulesRecordTest, ReportsMissingAndMistypedParts) {
  EXPECT_EQ(LoadRecord(R"({"version":"1","groups":[]})"), 4u);
  EXPECT_EQ(record_.Modules, nullptr);
  EXPECT_EQ(LoadRecord(R"({"modules":{},"groups":[]})"), 3u);
  EXPECT_EQ(LoadRecord(R"({"modules":[],"groups":7})"), 3u);
  EXPECT_EQ(LoadRecord("[]"), 3u);
  EXPECT_EQ(LoadRecord("{"), 3u);
  EXPECT_EQ(LoadRecord(""), 2u);
  EXPECT_EQ(manager_->LoadRuntimeModules(&record_, dir_.File(u"missing.json").c_str()), 1u);
  EXPECT_EQ(manager_->LoadRuntimeModules(nullptr, dir_.File(u"record.json").c_str()), 3u);
  EXPECT_EQ(std::u16string(record_.Version), u"");

  // No "groups": the modules and version are kept and freed with the record.
  EXPECT_EQ(LoadRecord(R"({"version":"2","modules":[{"name":"a"}]})"), 4u);
  ASSERT_NE(record_.Modules, nullptr);
  EXPECT_EQ(std::u16string(record_.Modules->Name), u"a");
  EXPECT_EQ(std::u16string(record_.Version), u"2");
  EXPECT_EQ(record_.Groups, nullptr);
}

}  // namespace
}  // namespace pelcor_test
