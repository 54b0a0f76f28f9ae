// What stands at a document's path, through the loaded library: a FIFO in
// place of any document the library reads is an unusable file that no load
// waits on, and a save through a symbolic link replaces the file that the
// link names, for each kind of document (JSON, INI, HTML).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "owned_object.h"
#include "pelcor_library.h"
#include "platform/files.h"
#include "platform/unicode.h"
#include "testing/fifo_open_watch.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

using lumarine_testing::FifoOpenWatch;
// A load of the document at the path, true when it failed as a missing or
// unopenable file fails.
using FailingLoad = std::function<bool(const std::u16string& path)>;

class DocumentFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(manager_, nullptr); }

  ManagerPtr manager_ = NewManager();
  lumarine_testing::TempDir dir_;
};

TEST_F(DocumentFilesTest, AFifoInPlaceOfAnyDocumentIsNeitherOpenedNorWaitedOn) {
  ICloudConfigManager& manager = *manager_;
  const auto opened = [](std::uint32_t code) { return code == CONFIG_OPEN_FAILED; };
  const std::vector<std::pair<const char*, FailingLoad>> loads = {
      {"deployment project",
       [&](const std::u16string& path) {
         DeployProjectRecord record;
         return opened(manager.LoadDeployConfig(&record, path.c_str(), u"project"));
       }},
      {"server profile",
       [&](const std::u16string& path) {
         ServerProfileRecord record;
         return opened(manager.LoadServerProfile(&record, path.c_str()));
       }},
      {"package profile",
       [&](const std::u16string& path) {
         PackageProfileRecord record;
         return opened(manager.LoadPackageProfile(&record, path.c_str()));
       }},
      {"runtime modules",
       [&](const std::u16string& path) {
         RuntimeModulesRecord record;
         return opened(manager.LoadRuntimeModules(&record, path.c_str()));
       }},
      {"app configuration",
       [&](const std::u16string& path) {
         AppConfigRecord record;
         return opened(manager.LoadAppConfigFile(&record, path.c_str()));
       }},
      {"name list",
       [&](const std::u16string& path) {
         NameListNode* head = nullptr;
         return opened(manager.LoadNameList(&head, path.c_str()));
       }},
      {"launcher profiles",
       [&](const std::u16string& path) {
         std::list<LauncherProfileEntry> profiles;
         return opened(manager.LoadLauncherProfiles(path.c_str(), &profiles));
       }},
      {"version document",
       [&](const std::u16string& path) {
         std::u16string version;
         return opened(manager.GetDovrakeVersion(version, path.c_str()));
       }},
      {"runtime manifest",
       [&](const std::u16string& path) {
         Owned<IRuntimeManifest> manifest(manager.CreateRuntimeManifest());
         std::u16string error;
         return !manifest->Load(path.c_str(), error);
       }},
      {"plug-in description",
       [&](const std::u16string& path) {
         Owned<ITQCloudPlugins> plugins(manager.CreateCloudPlugins());
         std::u16string error;
         return !plugins->Load(path, error);
       }},
      {"app manifest",
       [&](const std::u16string& path) {
         Owned<IAppManifest> app(manager.CreateAppManifest());
         std::u16string error;
         return !app->LoadFromFile(path.c_str(), error);
       }},
      {"deployment list",
       [&](const std::u16string& path) {
         Owned<IAppDeployList> list(manager.CreateAppDeployList());
         std::u16string error;
         std::list<std::u16string> apps;
         return !list->Open(path.c_str(), error) && list->ReloadApps(path, apps) == -2 &&
                !list->WriteApp(path.c_str(), u"App", u"1", u"2", u"3") && !list->DeleteApp(path.c_str(), u"App");
       }},
      {"HTML page",
       [&](const std::u16string& path) {
         Owned<IHtmlFile> html(manager.CreateHtmlFile());
         return !html->SetTitle(path.c_str(), u"title");
       }},
  };
  for (const auto& [document, load] : loads) {
    const std::u16string path = dir_.File(platform::Utf8ToUtf16(document));
    FifoOpenWatch watch(path);
    EXPECT_TRUE(load(path)) << document;
    EXPECT_FALSE(watch.Stop()) << document << ": the FIFO was opened";
    EXPECT_FALSE(platform::IsRegularFile(path)) << document;
  }

  ASSERT_TRUE(platform::CreateFolders(dir_.File(u"solutions")));
  FifoOpenWatch watch(dir_.File(u"solutions/HVSolutionConfig.json"));
  Owned<IHVDeploySolutionMgr> solutions(manager.CreateDeploySolutionMgr());
  EXPECT_EQ(solutions->Load(dir_.File(u"solutions").c_str()), CONFIG_OPEN_FAILED);
  EXPECT_FALSE(watch.Stop()) << "deploy solutions: the FIFO was opened";
}

// Each kind of document saved through `link` (which names real/<name>)
// replaces the file the link names, keeping its mode; the link stays a
// link.
class SaveThroughLinkTest : public DocumentFilesTest {
 protected:
  // Writes the real file with `bytes` and mode 0640, and the link to it.
  std::u16string LinkTo(const std::u16string& name, const std::string& bytes) {
    dir_.Write(u"real/" + name, bytes);
    ::chmod(platform::NativePath(dir_.File(u"real/" + name)).c_str(), 0640);
    const std::string target = "real/" + platform::NativePath(name);
    EXPECT_EQ(::symlink(target.c_str(), platform::NativePath(dir_.File(name)).c_str()), 0);
    return dir_.File(name);
  }
  void ExpectLinkStays(const std::u16string& name) {
    const std::string link = platform::NativePath(dir_.File(name));
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << link;
    EXPECT_EQ(std::filesystem::read_symlink(link), "real/" + platform::NativePath(name));
    struct stat st;
    ASSERT_EQ(::stat(platform::NativePath(dir_.File(u"real/" + name)).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
  }
};

TEST_F(SaveThroughLinkTest, JsonDocumentsIniFilesAndHtmlPages) {
  AppConfigRecord record;
  record.Version = u"2.0";
  ASSERT_EQ(manager_->SaveAppConfig(LinkTo(u"app.json", "{}").c_str(), &record), CONFIG_OK);
  ExpectLinkStays(u"app.json");
  AppConfigRecord read;
  ASSERT_EQ(manager_->LoadAppConfigFile(&read, dir_.File(u"real/app.json").c_str()), CONFIG_OK);
  EXPECT_EQ(read.Version, u"2.0");

  Owned<IAppDeployList> list(manager_->CreateAppDeployList());
  ASSERT_TRUE(list->WriteApp(LinkTo(u"deploy.ini", "[Public]\r\nMinimumValidVersion=1.0\r\n").c_str(), u"App", u"2.0",
                             u"on", u"off"));
  ExpectLinkStays(u"deploy.ini");
  EXPECT_EQ(dir_.Read(u"real/deploy.ini"),
            "[Public]\r\nMinimumValidVersion=2.0\r\n[App]\r\nOnlineTime=on\r\nOfflineTime=off\r\n");

  Owned<IHtmlFile> html(manager_->CreateHtmlFile());
  ASSERT_TRUE(html->SetTitle(LinkTo(u"page.html", "<title>old</title>").c_str(), u"new"));
  ExpectLinkStays(u"page.html");
  EXPECT_EQ(dir_.Read(u"real/page.html"), "<title>new</title>");
}

}  // namespace
}  // namespace pelcor_test
