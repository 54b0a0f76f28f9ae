// The manager's own operations through the loaded library: out-strings,
// freeing of record lists, reserved slots, lifetime and the plug-in version
// document.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstring>
#include <string>

#include "pelcor_library.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

class ManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(manager_, nullptr); }

  ManagerPtr manager_ = NewManager();
  lumarine_testing::TempDir dir_;
};

std::string BlockBytes(const OutString* block, std::size_t count) {
  return std::string(reinterpret_cast<const char*>(block), count);
}

TEST_F(ManagerTest, SetStringLaysOutALengthPrefixedBlock) {
  OutString* block = nullptr;
  ASSERT_TRUE(manager_->SetString(&block, u"abc"));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(BlockBytes(block, 12), std::string("\x03\0\0\0a\0b\0c\0\0\0", 12));
  EXPECT_GE(malloc_usable_size(block), 16u);
  EXPECT_EQ(OutStringLength(block), 3u);
  EXPECT_EQ(std::u16string(OutStringText(block)), u"abc");

  // A second text replaces the first block (the sanitizer tree catches a
  // leak of the old one); a pair of surrogates counts as two units.
  ASSERT_TRUE(manager_->SetString(&block, u"x\U0001F600"));
  EXPECT_EQ(OutStringLength(block), 3u);
  EXPECT_EQ(std::u16string(OutStringText(block)), u"x\U0001F600");
  manager_->FreeString(&block);
  EXPECT_EQ(block, nullptr);
}

TEST_F(ManagerTest, SetStringWithoutTextFreesTheBlockAndGivesFalse) {
  OutString* block = nullptr;
  ASSERT_TRUE(manager_->SetString(&block, u"old"));
  EXPECT_FALSE(manager_->SetString(&block, u""));
  EXPECT_EQ(block, nullptr);
  ASSERT_TRUE(manager_->SetString(&block, u"old"));
  EXPECT_FALSE(manager_->SetString(&block, nullptr));
  EXPECT_EQ(block, nullptr);
  EXPECT_FALSE(manager_->SetString(nullptr, u"text"));
  EXPECT_EQ(OutStringLength(nullptr), 0u);
  EXPECT_EQ(std::u16string(OutStringText(nullptr)), u"");
}

TEST_F(ManagerTest, FreeStringAndFreeBufferFreeOnceAndIgnoreNull) {
  OutString* block = nullptr;
  manager_->FreeString(&block);
  manager_->FreeBuffer(&block);
  manager_->FreeString(nullptr);
  EXPECT_EQ(block, nullptr);
  ASSERT_TRUE(manager_->SetString(&block, u"text"));
  manager_->FreeBuffer(&block);
  EXPECT_EQ(block, nullptr);
}

TEST_F(ManagerTest, FreeDeployConfigFreesEveryListAndTheDbConfigText) {
  DeployProjectRecord record;
  record.Libraries = new LibraryNode{new LibraryNode{}};
  auto* files = new FileNameNode{new FileNameNode{}};
  record.PredownloadPackages = new PackageNode{new PackageNode{}};
  record.PredownloadPackages->Files = files;
  record.PredownloadFiles = new FileNameNode{};
  record.InstantDownloadFiles = new FileNameNode{};
  record.RegisterFiles = new FileNameNode{};
  record.IniConfigFiles = new IniFileNode{};
  record.RuntimeModules = new ModuleNode{new ModuleNode{}};
  record.BuildLibraries = new LibraryNode{};
  ASSERT_TRUE(manager_->SetString(&record.ServerSettings.dbconfig, u"db"));
  std::memcpy(record.AppName, u"kept", sizeof u"kept");

  manager_->FreeDeployConfig(&record);
  EXPECT_EQ(record.Libraries, nullptr);
  EXPECT_EQ(record.PredownloadPackages, nullptr);
  EXPECT_EQ(record.PredownloadFiles, nullptr);
  EXPECT_EQ(record.InstantDownloadFiles, nullptr);
  EXPECT_EQ(record.RegisterFiles, nullptr);
  EXPECT_EQ(record.IniConfigFiles, nullptr);
  EXPECT_EQ(record.RuntimeModules, nullptr);
  EXPECT_EQ(record.BuildLibraries, nullptr);
  EXPECT_EQ(record.ServerSettings.dbconfig, nullptr);
  EXPECT_EQ(std::u16string(record.AppName), u"kept");

  // Freeing again finds only null heads.
  manager_->FreeDeployConfig(&record);
  manager_->FreeDeployConfig(nullptr);
}

TEST_F(ManagerTest, FreeServerSettingsFreesTheTextAndZeroesThePart) {
  DeployProjectRecord record;
  std::memcpy(record.ServerSettings.webapiurl, u"http://h", sizeof u"http://h");
  record.ServerSettings.webapiport = 8080;
  ASSERT_TRUE(manager_->SetString(&record.ServerSettings.dbconfig, u"db"));
  record.RunWithHttps = 1;

  manager_->FreeServerSettings(&record.ServerSettings);
  // Every byte, padding included.
  const unsigned char zero[sizeof(ServerSettingsRecord)] = {};
  EXPECT_EQ(std::memcmp(&record.ServerSettings, zero, sizeof zero), 0);
  EXPECT_EQ(record.RunWithHttps, 1);
  manager_->FreeServerSettings(nullptr);
}

TEST_F(ManagerTest, ProfileAndModuleListsAreFreedAndTheirHeadsCleared) {
  ServerProfileRecord server;
  server.RemoteServers = new RemoteServerNode{};
  manager_->FreeServerProfile(&server);
  EXPECT_EQ(server.RemoteServers, nullptr);

  ServerProfileRecord linked;
  linked.RemoteServers = new RemoteServerNode{new RemoteServerNode{}};
  PackageProfileRecord package;
  package.WebServer = &linked;
  manager_->FreeLinkedServerProfile(&package);
  EXPECT_EQ(package.WebServer, &linked);
  EXPECT_EQ(linked.RemoteServers, nullptr);
  package.WebServer = nullptr;
  manager_->FreeLinkedServerProfile(&package);

  RuntimeModulesRecord modules;
  modules.Modules = new RuntimeModuleNode{};
  modules.Groups = new RuntimeGroupNode{new RuntimeGroupNode{}};
  manager_->FreeRuntimeModules(&modules);
  EXPECT_EQ(modules.Modules, nullptr);
  EXPECT_EQ(modules.Groups, nullptr);
  manager_->FreeRuntimeModules(&modules);
  manager_->FreeServerProfile(nullptr);
}

TEST_F(ManagerTest, ReservedSlotsChangeNothingAndTheLastErrorStaysEmpty) {
  int untouched = 7;
  manager_->Reserved16(&untouched);
  manager_->Reserved18(&untouched);
  EXPECT_EQ(manager_->Reserved26(&untouched, &untouched), 0u);
  EXPECT_EQ(manager_->Reserved27(nullptr, nullptr), 0u);
  EXPECT_EQ(untouched, 7);

  AppConfigRecord record;
  EXPECT_EQ(manager_->LoadAppConfigFile(&record, dir_.File(u"missing.json").c_str()), CONFIG_OPEN_FAILED);
  ASSERT_NE(manager_->GetLastErrorText(), nullptr);
  EXPECT_EQ(std::u16string(manager_->GetLastErrorText()), u"");
}

TEST_F(ManagerTest, DestroyWithoutTheDeleteFlagLeavesAUsableManager) {
  manager_->Destroy(0);
  OutString* block = nullptr;
  EXPECT_TRUE(manager_->SetString(&block, u"still here"));
  manager_->FreeString(&block);
  EXPECT_EQ(std::u16string(manager_->GetLastErrorText()), u"");
}

TEST_F(ManagerTest, ManagersAreIndependent) {
  ManagerPtr second = NewManager();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second.get(), manager_.get());
  OutString* block = nullptr;
  ASSERT_TRUE(manager_->SetString(&block, u"shared heap"));
  second->FreeString(&block);  // any manager frees any block
  EXPECT_EQ(block, nullptr);
}

class DovrakeVersionTest : public ManagerTest {
 protected:
  std::uint32_t VersionOf(const std::string& json, std::u16string& version) {
    dir_.Write(u"version.json", json);
    return manager_->GetDovrakeVersion(version, dir_.File(u"version.json").c_str());
  }
};

TEST_F(DovrakeVersionTest, ReadsTheVersionOfTheDovrakeObject) {
  std::u16string version = u"before";
  EXPECT_EQ(VersionOf(R"({"mirtaval":{},"dovrake":{"version":"3.1.0 \u00e9"}})", version), CONFIG_OK);
  EXPECT_EQ(version, u"3.1.0 \u00e9");
  EXPECT_EQ(VersionOf(R"({"dovrake":{}})", version), CONFIG_OK);
  EXPECT_EQ(version, u"");
  version = u"before";
  EXPECT_EQ(VersionOf(R"({"dovrake":{"version":7}})", version), CONFIG_OK);
  EXPECT_EQ(version, u"");
}

TEST_F(DovrakeVersionTest, RefusesDocumentsOfAnotherShapeAndLeavesTheVersionAlone) {
  std::u16string version = u"before";
  EXPECT_EQ(VersionOf(R"({"dovrake":"3.1"})", version), CONFIG_INVALID_JSON);
  EXPECT_EQ(VersionOf(R"({"Dovrake":{"version":"1"}})", version), CONFIG_MISSING_MEMBER);
  EXPECT_EQ(VersionOf(R"([{"dovrake":{}}])", version), CONFIG_INVALID_JSON);
  EXPECT_EQ(VersionOf(R"({"dovrake":{"version":"1"})", version), CONFIG_INVALID_JSON);
  EXPECT_EQ(VersionOf("", version), CONFIG_EMPTY_FILE);
  EXPECT_EQ(manager_->GetDovrakeVersion(version, dir_.File(u"missing.json").c_str()), CONFIG_OPEN_FAILED);
  EXPECT_EQ(manager_->GetDovrakeVersion(version, nullptr), CONFIG_OPEN_FAILED);
  EXPECT_EQ(version, u"before");
}

}  // namespace
}  // namespace pelcor_test
