// The cloud plug-in description through the loaded library.
#include <gtest/gtest.h>

#include <string>

#include "owned_object.h"
#include "pelcor_library.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

class CloudPluginsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(manager_, nullptr);
    ASSERT_NE(plugins_, nullptr);
  }

  bool Load(const std::string& json, std::u16string* error = nullptr) {
    dir_.Write(u"plugins.json", json);
    std::u16string ignored;
    return plugins_->Load(dir_.File(u"plugins.json"), error != nullptr ? *error : ignored);
  }

  ManagerPtr manager_ = NewManager();
  Owned<ITQCloudPlugins> plugins_{manager_ != nullptr ? manager_->CreateCloudPlugins() : nullptr};
  lumarine_testing::TempDir dir_;
};

constexpr char kDescription[] =
    R"({"mode":2,"dovrake":{"version":"5.1","minver":"4.0","updatemode":1},)"
    R"("mirtaval":{"version":"2.0","minver":"1.9","updatemode":2.75},"package":"pkg.zip","checkcode":"ab12"})";

TEST_F(CloudPluginsTest, ReadsEachProgramAndThePackage) {
  CloudProgramInfo info;
  EXPECT_FALSE(plugins_->GetProgramInfo(0, info));
  EXPECT_FALSE(plugins_->IsLoaded());
  ASSERT_TRUE(Load(kDescription));
  EXPECT_TRUE(plugins_->IsLoaded());

  ASSERT_TRUE(plugins_->GetProgramInfo(0, info));
  EXPECT_EQ(info.Kind, 0u);
  EXPECT_EQ(info.Mode, 2);
  EXPECT_EQ(info.Version, u"5.1");
  EXPECT_EQ(info.MinVersion, u"4.0");
  EXPECT_EQ(info.UpdateMode, 1);
  ASSERT_TRUE(plugins_->GetProgramInfo(1, info));
  EXPECT_EQ(info.Kind, 1u);
  EXPECT_EQ(info.Version, u"2.0");
  EXPECT_EQ(info.UpdateMode, 2);  // a fraction is cut toward zero

  CloudProgramInfo untouched;
  untouched.Version = u"keep";
  EXPECT_FALSE(plugins_->GetProgramInfo(2, untouched));
  EXPECT_EQ(untouched.Version, u"keep");
  EXPECT_EQ(untouched.Mode, 0);

  CloudPackageInfo package;
  ASSERT_TRUE(plugins_->GetPackages(package));
  EXPECT_EQ(package.Package, u"pkg.zip");
  EXPECT_EQ(package.CheckCode, u"ab12");
}

TEST_F(CloudPluginsTest, MembersOfTheWrongTypeFailTheQueryAfterWhatWasRead) {
  ASSERT_TRUE(Load(R"({"mode":"3","dovrake":{"version":"5.1","updatemode":1},)"
                   R"("mirtaval":{"version":"2","minver":"1","updatemode":"2"},"package":"p","checkcode":7})"));
  CloudProgramInfo info;
  info.Kind = 9;
  info.Mode = 5;
  EXPECT_FALSE(plugins_->GetProgramInfo(0, info));  // no "minver"
  EXPECT_EQ(info.Version, u"5.1");
  EXPECT_EQ(info.Kind, 9u);
  EXPECT_EQ(info.Mode, 5);  // "mode" is not an integer
  EXPECT_FALSE(plugins_->GetProgramInfo(1, info));  // "updatemode" is a string
  EXPECT_EQ(info.MinVersion, u"1");
  CloudPackageInfo package;
  EXPECT_FALSE(plugins_->GetPackages(package));
  EXPECT_EQ(package.Package, u"p");

  ASSERT_TRUE(Load(R"({"mode":4,"dovrake":["version"],"mirtaval":null})"));
  EXPECT_FALSE(plugins_->GetProgramInfo(0, info));
  EXPECT_EQ(info.Mode, 4);  // read before the section is examined
  EXPECT_FALSE(plugins_->GetProgramInfo(1, info));
}

TEST_F(CloudPluginsTest, FailedLoadsExplainThemselvesAndKeepThePreviousDescription) {
  ASSERT_TRUE(Load(kDescription));
  std::u16string error;
  EXPECT_FALSE(Load(R"({"mode":1,})", &error));
  EXPECT_EQ(error, u"Failed to parse the file \"" + dir_.File(u"plugins.json") +
                       u"\". Error: \"Missing a name for object member.\", offset: 10.");
  EXPECT_FALSE(Load("", &error));
  EXPECT_NE(error.find(u"Error: \"The document is empty.\", offset: 0."), std::u16string::npos);
  const std::u16string missing = dir_.File(u"missing.json");
  EXPECT_FALSE(plugins_->Load(missing, error));
  EXPECT_EQ(error, u"Failed to parse the file \"" + missing + u"\". Error: \"The file name does not exist.\", offset: 0.");

  EXPECT_TRUE(plugins_->IsLoaded());
  CloudProgramInfo info;
  EXPECT_TRUE(plugins_->GetProgramInfo(0, info));
  EXPECT_EQ(info.Version, u"5.1");

  plugins_->Destroy(0);
  EXPECT_FALSE(plugins_->IsLoaded());
  EXPECT_FALSE(plugins_->GetProgramInfo(0, info));
}

}  // namespace
}  // namespace pelcor_test
