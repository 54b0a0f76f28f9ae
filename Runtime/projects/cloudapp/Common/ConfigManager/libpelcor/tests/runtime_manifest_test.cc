// The runtime manifest through the loaded library: IRuntimeManifest
// (reading, lookups, editing, saving, failures) and the manager's copy of
// the modules into a RuntimeModulesRecord.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <utility>
#include <vector>

#include "owned_object.h"
#include "pelcor_library.h"
#include "platform/files.h"
#include "platform/unicode.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

using Names = std::vector<std::u16string>;
using Result = std::pair<bool, std::int32_t>;

const char kManifest[] = R"({"version":"3.2","format":"rt1","modules":[
  {"name":"Core","groupid":1,"clienttype":2,"option":true,"description":"core runtime","files":[
    {"name":"core.dll","size":1024,"path":"bin","action":"  copy ","hashcode":"h1","isneedextract":false},
    {"name":"core.pdb","size":10,"path":"bin\\","action":"\tcopy","hashcode":"h2","packagename":"p"}]},
  {"NAME":"Db","option":7,"FILES":[{"name":"db.dll","path":""}]},
  {"name":"Web","groupid":"2","option":"x","files":{"name":"web.dll"}}],
 "groups":[{"groupid":1,"name":"base","dbi":true},{"groupid":2,"name":"data","dbi":1}]})";

// Every field of a file entry but UpdateType, as one text.
std::u16string Describe(const CloudFileInfo& file) {
  return file.Name + u"|" + file.Path + u"|" + file.Action + u"|" + file.HashCode + u"|" +
         platform::Utf8ToUtf16(std::to_string(file.Size)) + (file.NeedExtract ? u"|x|" : u"||") + file.PackageName;
}

std::vector<std::u16string> Describe(const CloudFileList& files) {
  std::vector<std::u16string> lines;
  for (const CloudFileInfo& file : files) lines.push_back(Describe(file));
  return lines;
}

class RuntimeManifestTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(manifest_, nullptr); }

  Owned<IRuntimeManifest> NewManifest() { return Owned<IRuntimeManifest>(manager_->CreateRuntimeManifest()); }

  // Writes `json` to `name` and loads it into the fixture's manifest.
  bool Load(std::string_view json, std::u16string_view name = u"manifest.json") {
    dir_.Write(name, json);
    return manifest_->Load(dir_.File(name).c_str(), error_);
  }

  std::string SaveAndRead(IRuntimeManifest& manifest) {
    EXPECT_TRUE(manifest.Save(dir_.File(u"saved.json").c_str()));
    return dir_.Read(u"saved.json").value_or("");
  }

  // Saves the fixture's manifest and loads the file into a new one.
  Owned<IRuntimeManifest> SavedAndLoaded() {
    SaveAndRead(*manifest_);
    Owned<IRuntimeManifest> again = NewManifest();
    EXPECT_TRUE(again->Load(dir_.File(u"saved.json").c_str(), error_));
    return again;
  }

  // A query's result and its out value, which starts as 42.
  Result Query(bool (IRuntimeManifest::*get)(const std::u16string&, std::int32_t&), const std::u16string& module,
               IRuntimeManifest* manifest = nullptr) {
    std::int32_t value = 42;
    const bool result = ((manifest != nullptr ? manifest : manifest_.get())->*get)(module, value);
    return {result, value};
  }

  CloudFileList Files(const std::u16string& module) {
    CloudFileList files;
    manifest_->GetFilesOfModule(module, files);
    return files;
  }

  ManagerPtr manager_ = NewManager();
  lumarine_testing::TempDir dir_;
  Owned<IRuntimeManifest> manifest_ = manager_ ? NewManifest() : nullptr;
  std::u16string error_ = u"unset";
};

TEST_F(RuntimeManifestTest, ReadsModulesIgnoringCaseWhereTheFormatSaysSo) {
  ASSERT_TRUE(Load(kManifest));
  EXPECT_TRUE(manifest_->IsLoaded());
  EXPECT_EQ(error_, u"");
  Names names;
  ASSERT_TRUE(manifest_->GetModuleNames(names));
  EXPECT_EQ(names, (Names{u"Core", u"Db", u"Web"}));

  EXPECT_EQ(Query(&IRuntimeManifest::GetOption, u"core"), Result(true, 1));  // JSON true
  EXPECT_EQ(Query(&IRuntimeManifest::GetOption, u"DB"), Result(true, 7));
  EXPECT_EQ(Query(&IRuntimeManifest::GetOption, u"Web"), Result(true, 42));  // a string: left alone
  EXPECT_EQ(Query(&IRuntimeManifest::GetOption, u"Missing"), Result(false, 1));
  EXPECT_EQ(Query(&IRuntimeManifest::GetGroupId, u"Core"), Result(true, 1));
  EXPECT_EQ(Query(&IRuntimeManifest::GetGroupId, u"Web"), Result(false, 0));  // "2" is a string
  EXPECT_EQ(Query(&IRuntimeManifest::GetClientType, u"Core"), Result(true, 2));
  EXPECT_EQ(Query(&IRuntimeManifest::GetClientType, u"Db"), Result(true, 1));
  EXPECT_EQ(Query(&IRuntimeManifest::GetClientType, u"Missing"), Result(false, 0));

  std::u16string text;
  EXPECT_TRUE(manifest_->GetDescription(u"CORE", text) && text == u"core runtime");
  EXPECT_FALSE(manifest_->GetDescription(u"Db", text));
  EXPECT_TRUE(manifest_->GetVersion(text) && text == u"3.2");
  EXPECT_TRUE(manifest_->GetFormat(text) && text == u"rt1");
  std::vector<int> ids;
  EXPECT_TRUE(manifest_->GetGroupIds(ids));
  EXPECT_EQ(ids, (std::vector<int>{1, 2}));
  bool dbi = false;
  EXPECT_TRUE(manifest_->GetDbi(1, dbi) && dbi);
  EXPECT_FALSE(manifest_->GetDbi(2, dbi) || dbi);  // a number is not a boolean
  EXPECT_TRUE(manifest_->GetGroupName(2, text) && text == u"data");
}

TEST_F(RuntimeManifestTest, ReadsFileEntriesWithTypeChecksAndTrimmedActions) {
  ASSERT_TRUE(Load(kManifest));
  CloudFileList files;
  ASSERT_TRUE(manifest_->GetFilesOfModules({u"core", u"Missing", u"Web", u"db"}, files));
  EXPECT_EQ(Describe(files), (Names{u"core.dll|bin|copy|h1|1024||", u"core.pdb|bin\\|\tcopy|h2|10||p",
                                    u"db.dll||||0||"}));  // only spaces are trimmed; Web's "files" is no array
  EXPECT_EQ(files.front().UpdateType, 2);
  ASSERT_TRUE(manifest_->GetAllFiles(files));  // appended, every module in document order
  EXPECT_EQ(files.size(), 6u);

  ASSERT_TRUE(Load(R"({"modules":[{"name":"m","files":[{"name":"a.dll","path":"bin","hashcode":"first"},
    {"name":"a.dll","path":"bin\\","hashcode":"second"},{"name":"b.dll","path":"lib/x"},
    {"name":"b.dll","path":"lib\\x\\"},{"name":"c.dll","path":""},7]}]})"));
  CloudFileMap map;
  map[u"c.dll"].HashCode = u"caller's";
  ASSERT_TRUE(manifest_->MapFilesOfModule(u"M", map));
  ASSERT_EQ(map.size(), 4u);  // separators inside a path are kept as they stand
  EXPECT_EQ(map.at(u"bin\\a.dll").HashCode, u"first");
  EXPECT_EQ(map.count(u"lib/x\\b.dll") + map.count(u"lib\\x\\b.dll"), 2u);
  EXPECT_EQ(map.at(u"c.dll").HashCode, u"caller's");
}

TEST_F(RuntimeManifestTest, WrongMemberTypesAreNeverReadAsTheExpectedType) {
  ASSERT_TRUE(Load(R"({"version":5,"modules":[1,"x",null,{"name":5},{"Name":"ok","files":[
    {"name":6,"size":"big","path":["p"],"action":1,"hashcode":{},"isneedextract":1,"packagename":2},
    {"name":"z","size":2.5},[]]}],"groups":[1,{"groupid":"1"},{"groupid":1.0},{"groupid":2,"name":3}]})"));
  Names names;
  manifest_->GetModuleNames(names);
  EXPECT_EQ(names, Names{u"ok"});
  std::u16string text = u"old";
  EXPECT_FALSE(manifest_->GetVersion(text) || !text.empty());
  CloudFileList files;
  ASSERT_TRUE(manifest_->GetAllFiles(files));
  EXPECT_EQ(Describe(files), (Names{u"||||0||", u"z||||0||"}));
  std::vector<int> ids;
  manifest_->GetGroupIds(ids);
  EXPECT_EQ(ids, std::vector<int>{2});
  EXPECT_FALSE(manifest_->GetGroupName(2, text));
}

TEST_F(RuntimeManifestTest, FailedLoadsExplainThemselvesAndKeepThePreviousDocument) {
  ASSERT_TRUE(Load(kManifest));
  const std::u16string missing = dir_.File(u"missing.json");
  EXPECT_FALSE(manifest_->Load(missing.c_str(), error_));
  EXPECT_EQ(error_, u"Failed to open the file \"" + missing + u"\".");
  EXPECT_TRUE(manifest_->IsLoaded());  // nothing was read

  const std::u16string prefix = u"Failed to parse the file \"" + dir_.File(u"m.json") + u"\". ";
  EXPECT_FALSE(Load("", u"m.json"));
  EXPECT_EQ(error_, prefix + u"Error: \"The document is empty.\", offset: 0.");
  EXPECT_FALSE(Load(R"({"modules":[}])", u"m.json"));
  EXPECT_EQ(error_, prefix + u"Error: \"Invalid value.\", offset: 13.");
  EXPECT_FALSE(Load(R"({"modules":{"name":"x"}})", u"m.json"));
  EXPECT_EQ(error_, prefix + u"Invalid json member \"modules\".");
  EXPECT_FALSE(Load("[1]", u"m.json"));

  // Not loaded now: root texts and groups refuse, modules still answer
  // from the previous document.
  EXPECT_FALSE(manifest_->IsLoaded());
  std::u16string text;
  EXPECT_FALSE(manifest_->GetVersion(text));
  EXPECT_EQ(Query(&IRuntimeManifest::GetOption, u"Db"), Result(true, 7));

  // The messages are never cut, however long the path.
  std::u16string folder = u"d";
  for (int level = 0; level < 15; ++level) folder += u"/" + std::u16string(200, u'd');
  const std::u16string long_path = dir_.File(folder + u"/m.json");
  EXPECT_FALSE(manifest_->Load(long_path.c_str(), error_));
  EXPECT_EQ(error_, u"Failed to open the file \"" + long_path + u"\".");
  EXPECT_FALSE(Load("{", folder + u"/m.json"));
  EXPECT_EQ(error_, u"Failed to parse the file \"" + long_path +
                        u"\". Error: \"Missing a name for object member.\", offset: 1.");
}

TEST_F(RuntimeManifestTest, ReadsEveryUnicodeEncoding) {
  const std::u16string json = uR"({"modules":[{"name":"Módulo😀"}]})";
  std::string utf16le("\xFF\xFE", 2);
  for (char16_t unit : json) utf16le.append({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
  ASSERT_TRUE(Load(utf16le));
  EXPECT_EQ(Query(&IRuntimeManifest::GetClientType, u"MÓDULO😀").first, false);  // only ASCII letters fold
  ASSERT_TRUE(Load("\xEF\xBB\xBF" + platform::Utf16ToUtf8(json)));
  EXPECT_EQ(Query(&IRuntimeManifest::GetClientType, u"mÓdulo😀").first, false);
  EXPECT_EQ(Query(&IRuntimeManifest::GetClientType, u"MóDULO😀"), Result(true, 1));
}

TEST_F(RuntimeManifestTest, EditsSaveCompactlyAndReadBack) {
  ASSERT_TRUE(Load(kManifest));
  EXPECT_TRUE(manifest_->AddModule(u"CORE"));  // exists: nothing changes
  EXPECT_TRUE(manifest_->AddModule(u"Extra"));
  EXPECT_TRUE(manifest_->SetOption(u"extra", 5) && manifest_->SetDescription(u"extra", nullptr) &&
              manifest_->SetGroupId(u"extra", 2) && manifest_->SetClientType(u"Core", 9));
  EXPECT_FALSE(manifest_->SetOption(u"Missing", 5));
  CloudFileInfo file;
  file.Name = u"x.dll";
  file.Size = 4000000000u;
  EXPECT_TRUE(manifest_->SetFiles(u"db", {file}));  // replaces "FILES"
  EXPECT_TRUE(manifest_->SetVersion(u"4.0"));
  EXPECT_TRUE(manifest_->SetGroupName(1, u"renamed") && manifest_->SetGroupName(7, u"new"));  // 7 is added
  EXPECT_TRUE(manifest_->SetDbi(2, true));
  EXPECT_FALSE(manifest_->SetDbi(8, true));
  EXPECT_TRUE(manifest_->RemoveGroup(1));
  EXPECT_FALSE(manifest_->RemoveGroup(1));

  const std::string saved = SaveAndRead(*manifest_);
  EXPECT_EQ(saved.rfind(R"({"version":"4.0","format":"rt1","modules":[{"name":"Core",)", 0), 0u);
  EXPECT_NE(saved.find(R"({"NAME":"Db","option":7,"FILES":[{"name":"x.dll","size":4000000000,"path":".",)"
                       R"("action":"","hashcode":"","isneedextract":false,"packagename":""}]})"),
            std::string::npos);
  EXPECT_EQ(saved.find_first_of("\n\t"), std::string::npos);
  EXPECT_EQ(saved.find(": "), std::string::npos);

  const auto again = SavedAndLoaded();
  EXPECT_EQ(Query(&IRuntimeManifest::GetClientType, u"core", again.get()), Result(true, 9));
  EXPECT_EQ(Query(&IRuntimeManifest::GetGroupId, u"Extra", again.get()), Result(true, 2));
  std::u16string text = u"old";
  EXPECT_TRUE(again->GetDescription(u"Extra", text) && text.empty());
  std::vector<int> ids;
  again->GetGroupIds(ids);
  EXPECT_EQ(ids, (std::vector<int>{2, 7}));
  bool dbi = false;
  EXPECT_TRUE(again->GetDbi(2, dbi) && dbi);
}

TEST_F(RuntimeManifestTest, EditsAfterTheDocumentGrewReachTheLiveArrays) {
  // A parsed root has room for exactly its members; adding "groups" moves
  // them, and later module edits must land in the moved "modules".
  ASSERT_TRUE(Load(R"({"modules":[{"name":"a"}]})"));
  std::vector<int> ids;
  EXPECT_FALSE(manifest_->GetGroupIds(ids));
  EXPECT_TRUE(manifest_->AddGroup(3, u"g") && manifest_->SetVersion(u"1") && manifest_->SetFormat(u"f"));
  EXPECT_TRUE(manifest_->AddModule(u"b") && manifest_->SetPackaged(u"b", true) && manifest_->AddGroup(4, nullptr));
  EXPECT_EQ(SaveAndRead(*manifest_),
            R"({"modules":[{"name":"a"},{"name":"b","files":[{"name":"b.zip","size":0,"path":".","action":"",)"
            R"("hashcode":"","isneedextract":true,"packagename":""}]}],"groups":[{"groupid":3,"name":"g"},)"
            R"({"groupid":4,"name":""}],"version":"1","format":"f"})");

  ASSERT_TRUE(Load(R"({"modules":[],"groups":{}})"));
  EXPECT_FALSE(manifest_->AddGroup(1, u"x"));  // "groups" is not an array
}

TEST_F(RuntimeManifestTest, EditingANewManifestStartsAnEmptyOne) {
  EXPECT_TRUE(manifest_->Save(dir_.File(u"saved.json").c_str()));
  EXPECT_EQ(dir_.Read(u"saved.json"), "null");
  EXPECT_FALSE(manifest_->SetOption(u"a", 1) || manifest_->IsLoaded());
  EXPECT_FALSE(manifest_->SetDbi(1, true));  // no such group, but now an empty manifest
  EXPECT_TRUE(manifest_->IsLoaded());
  EXPECT_TRUE(manifest_->AddModule(u"a"));
  EXPECT_EQ(SaveAndRead(*manifest_), R"({"modules":[{"name":"a"}],"groups":[]})");
}

TEST_F(RuntimeManifestTest, PackingKeepsOnePackageEntryAndUnpackingRemovesIt) {
  ASSERT_TRUE(Load(kManifest));
  ASSERT_TRUE(manifest_->SetPackaged(u"core", true) && manifest_->SetPackaged(u"Core", true));
  EXPECT_EQ(Describe(Files(u"Core")), (Names{u"core.zip|.|||0|x|", u"core.dll|bin|copy|h1|1024||Core.zip",
                                             u"core.pdb|bin\\|\tcopy|h2|10||Core.zip"}));
  bool packed = false;
  EXPECT_TRUE(manifest_->HasPackage(u"CORE", packed) && packed);
  ASSERT_TRUE(manifest_->SetPackaged(u"Core", false));
  EXPECT_EQ(Describe(Files(u"Core")), (Names{u"core.dll|bin|copy|h1|1024||", u"core.pdb|bin\\|\tcopy|h2|10||"}));
  EXPECT_FALSE(manifest_->HasPackage(u"CORE", packed) || packed);
  EXPECT_FALSE(manifest_->SetPackaged(u"Missing", true));
}

TEST_F(RuntimeManifestTest, AFailedSaveLeavesThePreviousFile) {
  ASSERT_TRUE(Load(kManifest));
  ASSERT_TRUE(dir_.Write(u"locked.json", "previous"));
  ASSERT_EQ(::chmod(dir_.native_path().append("/locked.json").c_str(), 0444), 0);
  EXPECT_FALSE(manifest_->Save(dir_.File(u"locked.json").c_str()));
  EXPECT_EQ(dir_.Read(u"locked.json"), "previous");
  EXPECT_FALSE(manifest_->Save(dir_.File(u"no/such/folder.json").c_str()) || manifest_->Save(nullptr));

  // A lone surrogate has no UTF-8 form; it is saved as U+FFFD.
  EXPECT_TRUE(manifest_->SetDescription(u"Core", u"a\xD800"));
  std::u16string text;
  EXPECT_TRUE(SavedAndLoaded()->GetDescription(u"Core", text) && text == u"a\xFFFD");
}

// Tens of thousands of files: read, listed, mapped, edited, saved and read
// again. A quadratic walk would take minutes here.
TEST_F(RuntimeManifestTest, HandlesLargeManifests) {
  constexpr std::size_t kModules = 200;
  constexpr std::size_t kFiles = 200;
  std::string json = R"({"modules":[)";
  for (std::size_t m = 0; m < kModules; ++m) {
    json += (m ? R"(]},{"name":"mod)" : R"({"name":"mod)") + std::to_string(m) + R"(","files":[)";
    for (std::size_t f = 0; f < kFiles; ++f) {
      json += (f ? R"(,{"name":"f)" : R"({"name":"f)") + std::to_string(f) + R"(","size":)" + std::to_string(f) +
              R"(,"path":"m)" + std::to_string(m) + R"(\\d","hashcode":"0123456789abcdef"})";
    }
  }
  ASSERT_TRUE(Load(json + "]}]}"));
  CloudFileMap map;
  ASSERT_TRUE(manifest_->MapAllFiles(map));
  EXPECT_EQ(map.size(), kModules * kFiles);
  EXPECT_EQ(map.at(u"m199\\d\\f199").Size, 199u);
  Names backwards;
  for (std::size_t m = kModules; m-- > 0;) backwards.push_back(u"MOD" + platform::Utf8ToUtf16(std::to_string(m)));
  CloudFileList files;
  ASSERT_TRUE(manifest_->GetFilesOfModules(backwards, files));
  EXPECT_EQ(files.size(), kModules * kFiles);
  EXPECT_EQ(files.front().Path, u"m199\\d");
  ASSERT_TRUE(manifest_->SetPackaged(u"mod0", true));
  files.clear();
  ASSERT_TRUE(SavedAndLoaded()->GetAllFiles(files));
  EXPECT_EQ(files.size(), kModules * kFiles + 1);
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
    EXPECT_TRUE(record_.Modules == nullptr && record_.Groups == nullptr);
  }

  RuntimeModulesRecord record_;
};

TEST_F(RuntimeModulesRecordTest, CopiesModulesVersionAndGroupsInDocumentOrder) {
  ASSERT_EQ(LoadRecord(R"({"version":")" + std::string(40, 'v') + R"(","modules":[
    {"name":"a","option":true,"groupid":4,"clienttype":3},{"name":")" + std::string(100, 'n') +
                       R"(","option":false},{"option":9},{"option":"x","clienttype":"2"},7],
    "groups":[{"name":"g","groupid":4,"dbi":true},{"dbi":1}]})"),
            0u);
  EXPECT_EQ(std::u16string(record_.Version), std::u16string(31, u'v'));
  Names modules;
  for (const RuntimeModuleNode* node = record_.Modules; node != nullptr; node = node->Next) {
    modules.push_back(node->Name + platform::Utf8ToUtf16(" " + std::to_string(node->Option) + " " +
                                                        std::to_string(node->GroupId) + " " +
                                                        std::to_string(node->ClientType)));
  }
  EXPECT_EQ(modules, (Names{u"a 3 4 3", std::u16string(63, u'n') + u" 0 0 1", u" 9 0 1", u" 0 0 1"}));
  ASSERT_TRUE(record_.Groups != nullptr && record_.Groups->Next != nullptr);
  EXPECT_EQ(std::u16string(record_.Groups->Name), u"g");
  EXPECT_EQ(record_.Groups->GroupId, 4);
  EXPECT_EQ(record_.Groups->Dbi + 10 * record_.Groups->Next->Dbi, 1);
  EXPECT_EQ(record_.Groups->Next->Next, nullptr);
}

TEST_F(RuntimeModulesRecordTest, ReportsMissingAndMistypedParts) {
  EXPECT_EQ(LoadRecord(R"({"version":"1","groups":[]})"), 4u);
  EXPECT_EQ(LoadRecord(R"({"modules":{},"groups":[]})"), 3u);
  EXPECT_EQ(LoadRecord(R"({"modules":[],"groups":7})"), 3u);
  EXPECT_EQ(LoadRecord("[]"), 3u);
  EXPECT_EQ(LoadRecord(""), 2u);
  EXPECT_EQ(manager_->LoadRuntimeModules(&record_, dir_.File(u"missing.json").c_str()), 1u);
  EXPECT_EQ(manager_->LoadRuntimeModules(nullptr, dir_.File(u"record.json").c_str()), 3u);
  EXPECT_TRUE(record_.Modules == nullptr && record_.Version[0] == 0);

  // No "groups": the modules and version are kept and freed with the record.
  EXPECT_EQ(LoadRecord(R"({"version":"2","modules":[{"name":"a"}]})"), 4u);
  ASSERT_NE(record_.Modules, nullptr);
  EXPECT_EQ(std::u16string(record_.Modules->Name) + record_.Version, u"a2");
}

}  // namespace
}  // namespace pelcor_test
