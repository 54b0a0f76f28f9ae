// The deployment list (INI) through the loaded library.
#include <gtest/gtest.h>

#include <list>
#include <string>
#include <string_view>

#include "owned_object.h"
#include "pelcor_library.h"
#include "platform/unicode.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

using Apps = std::list<std::u16string>;

class AppDeployListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(manager_, nullptr);
    ASSERT_NE(list_, nullptr);
  }

  // Writes the file and opens it.
  bool OpenText(const std::string& ini) {
    dir_.Write(u"deploy.ini", ini);
    std::u16string error;
    return list_->Open(path_.c_str(), error);
  }

  ManagerPtr manager_ = NewManager();
  Owned<IAppDeployList> list_{manager_ != nullptr ? manager_->CreateAppDeployList() : nullptr};
  lumarine_testing::TempDir dir_;
  std::u16string path_ = dir_.File(u"deploy.ini");
};

TEST_F(AppDeployListTest, OpenListsEveryAppButPublicInAnyCase) {
  Apps apps;
  EXPECT_FALSE(list_->GetApps(apps));
  std::u16string error;
  EXPECT_FALSE(list_->Open(path_.c_str(), error));
  EXPECT_EQ(error, path_ + u" the file is empty");
  EXPECT_FALSE(list_->IsOpen());

  ASSERT_TRUE(OpenText("[Public]\nMinimumValidVersion=1.0\n[AppA]\n[public2]\n[PUBLIC]\n"));
  EXPECT_TRUE(list_->IsOpen());
  ASSERT_TRUE(list_->GetApps(apps));
  EXPECT_EQ(apps, (Apps{u"AppA", u"public2"}));
  // A second open appends; ReloadApps starts afresh.
  ASSERT_TRUE(OpenText("[Public]\n[AppA]\n[public2]\n"));
  ASSERT_TRUE(list_->GetApps(apps));
  EXPECT_EQ(apps, (Apps{u"AppA", u"public2", u"AppA", u"public2"}));
  EXPECT_EQ(list_->ReloadApps(path_, apps), 0);
  EXPECT_EQ(apps, (Apps{u"AppA", u"public2"}));

  // A failed open keeps the object open on its file.
  EXPECT_FALSE(list_->Open(dir_.File(u"none.ini").c_str(), error));
  EXPECT_TRUE(list_->IsOpen());
  EXPECT_EQ(list_->ReloadApps(dir_.File(u"none.ini"), apps), -2);
  EXPECT_TRUE(apps.empty());
  ASSERT_TRUE(list_->GetApps(apps));
  EXPECT_TRUE(apps.empty());
  list_->ClearAppList(apps);
}

TEST_F(AppDeployListTest, ValuesAreReadWithoutCaseAndCut) {
  const std::string long_time(300, '7');
  ASSERT_TRUE(OpenText("[public]\nminimumvalidversion = \"2.5\"\n[App]\nONLINETIME=" + long_time +
                       "\nOfflineTime=\n[Upper]\nDeploying=TRUE\n[Lower]\ndeploying=false\n[Yes]\nDeploying=yes\n"
                       "[Plain]\nDeploying=true\n"));
  std::u16string text = u"untouched";
  ASSERT_TRUE(list_->GetMinimumValidVersion(text));
  EXPECT_EQ(text, u"2.5");
  ASSERT_TRUE(list_->GetOnlineTime(u"app", text));
  EXPECT_EQ(text, std::u16string(259, u'7'));
  text = u"untouched";
  EXPECT_FALSE(list_->GetOfflineTime(u"App", text));
  EXPECT_FALSE(list_->GetOnlineTime(u"Missing", text));
  EXPECT_EQ(text, u"untouched");

  bool deploying = false;
  ASSERT_TRUE(list_->IsDeploying(u"Upper", deploying));
  EXPECT_TRUE(deploying);
  ASSERT_TRUE(list_->IsDeploying(u"LOWER", deploying));
  EXPECT_FALSE(deploying);
  ASSERT_TRUE(list_->IsDeploying(u"plain", deploying));
  EXPECT_TRUE(deploying);
  deploying = true;
  EXPECT_FALSE(list_->IsDeploying(u"Yes", deploying));
  EXPECT_FALSE(list_->IsDeploying(u"App", deploying));
  EXPECT_TRUE(deploying);
}

TEST_F(AppDeployListTest, WriteAppAddsOrUpdatesOnlyTheTimes) {
  ASSERT_TRUE(list_->WriteApp(path_.c_str(), u"New", u"1.0", u"08:00", u"20:00"));
  EXPECT_EQ(dir_.Read(u"deploy.ini"), "[Public]\nMinimumValidVersion=1.0\n[New]\nOnlineTime=08:00\nOfflineTime=20:00\n");
  EXPECT_FALSE(list_->IsOpen());

  dir_.Write(u"deploy.ini", "[Public]\nMinimumValidVersion=1.0\n[Old]\nDeploying=true\nofflinetime=1\n");
  ASSERT_TRUE(list_->WriteApp(path_.c_str(), u"OLD", u"1.1", u"2", u"3"));
  EXPECT_EQ(dir_.Read(u"deploy.ini"),
            "[Public]\nMinimumValidVersion=1.1\n[Old]\nDeploying=true\nofflinetime=3\nOnlineTime=2\n");

  // Long times are written whole and read back as a caller's buffer holds them.
  const std::u16string long_time(5000, u'9');
  ASSERT_TRUE(list_->WriteApp(path_.c_str(), u"Long", u"1.1", long_time.c_str(), u"x"));
  std::u16string error;
  ASSERT_TRUE(list_->Open(path_.c_str(), error));
  std::u16string time;
  ASSERT_TRUE(list_->GetOnlineTime(u"Long", time));
  EXPECT_EQ(time.size(), 259u);
  EXPECT_NE(dir_.Read(u"deploy.ini")->find(std::string(5000, '9')), std::string::npos);

  // A time that would break the file is refused and nothing of the app is written.
  EXPECT_FALSE(list_->WriteApp(path_.c_str(), u"Broken", u"1.1", u"1\n[Evil]", u"2"));
  EXPECT_EQ(dir_.Read(u"deploy.ini")->find("Evil"), std::string::npos);
  EXPECT_FALSE(list_->WriteApp(nullptr, u"App", u"1", u"2", u"3"));

  ASSERT_TRUE(list_->DeleteApp(path_.c_str(), u"old"));
  ASSERT_TRUE(list_->DeleteApp(path_.c_str(), u"NotThere"));
  Apps apps;
  EXPECT_EQ(list_->ReloadApps(path_, apps), 0);
  EXPECT_EQ(apps, Apps{u"Long"});

  // An edit that cannot be written whole writes nothing: a line break in a
  // time of an existing app, a time a Windows-1252 list cannot hold.
  const std::string ansi = "[Public]\nMinimumValidVersion=1.0\n[A]\nOnlineTime=on\nOfflineTime=off\nNote=caf\xE9\n";
  dir_.Write(u"deploy.ini", ansi);
  EXPECT_FALSE(list_->WriteApp(path_.c_str(), u"A", u"1.1", u"1\n[Evil]", u"new-off"));
  EXPECT_FALSE(list_->WriteApp(path_.c_str(), u"A", u"1.1", u"\u4E2D", u"new-off"));
  EXPECT_EQ(dir_.Read(u"deploy.ini"), ansi);
}

// A new minimum version alone (the app's times as they were) is an edit too.
TEST_F(AppDeployListTest, WriteAppOfANewMinimumVersionAloneWritesIt) {
  dir_.Write(u"deploy.ini", "[Public]\nMinimumValidVersion=1.0\n[App]\nOnlineTime=on\nOfflineTime=off\n");
  ASSERT_TRUE(list_->WriteApp(path_.c_str(), u"App", u"2.0", u"on", u"off"));
  EXPECT_EQ(dir_.Read(u"deploy.ini"), "[Public]\nMinimumValidVersion=2.0\n[App]\nOnlineTime=on\nOfflineTime=off\n");
}

// A list marked as UTF-16 (either byte order) opens, and WriteApp edits it
// in its own encoding: the mark, every other section and key, comments and
// the CRLF line ends stay as they were.
class Utf16DeployListTest : public AppDeployListTest, public ::testing::WithParamInterface<bool> {
 protected:
  std::string Bytes(std::u16string_view text) const {
    std::string bytes = GetParam() ? "\xFE\xFF" : "\xFF\xFE";
    platform::AppendUtf16Bytes(text, GetParam(), bytes);
    return bytes;
  }
};

TEST_P(Utf16DeployListTest, IsReadEditedAndReadBackInItsOwnEncoding) {
  ASSERT_TRUE(OpenText(Bytes(u"; deployed apps\r\n[Public]\r\nMinimumValidVersion=1.0\r\n"
                             u"[Shop \u00E9]\r\nOnlineTime=s1\r\nOfflineTime=s2\r\nDeploying=true\r\n\r\n"
                             u"[Stock]\r\nOnlineTime=t1\r\nOfflineTime=t2\r\n")));
  Apps apps;
  ASSERT_TRUE(list_->GetApps(apps));
  EXPECT_EQ(apps, (Apps{u"Shop \u00E9", u"Stock"}));

  ASSERT_TRUE(list_->WriteApp(path_.c_str(), u"Stock", u"2.0", u"t3", u"t4"));
  ASSERT_TRUE(list_->WriteApp(path_.c_str(), u"New \u4E2D", u"2.0", u"n1", u"n2"));
  EXPECT_EQ(dir_.Read(u"deploy.ini"),
            Bytes(u"; deployed apps\r\n[Public]\r\nMinimumValidVersion=2.0\r\n"
                  u"[Shop \u00E9]\r\nOnlineTime=s1\r\nOfflineTime=s2\r\nDeploying=true\r\n\r\n"
                  u"[Stock]\r\nOnlineTime=t3\r\nOfflineTime=t4\r\n[New \u4E2D]\r\nOnlineTime=n1\r\nOfflineTime=n2\r\n"));
  ASSERT_EQ(list_->ReloadApps(path_, apps), 0);
  EXPECT_EQ(apps, (Apps{u"Shop \u00E9", u"Stock", u"New \u4E2D"}));
  std::u16string text;
  ASSERT_TRUE(list_->GetMinimumValidVersion(text));
  EXPECT_EQ(text, u"2.0");
  ASSERT_TRUE(list_->GetOfflineTime(u"new \u4E2D", text));
  EXPECT_EQ(text, u"n2");
  bool deploying = false;
  ASSERT_TRUE(list_->IsDeploying(u"Shop \u00E9", deploying));
  EXPECT_TRUE(deploying);
}

// A list whose bytes cannot be read exactly (here UTF-16 of an odd length)
// is never rewritten: WriteApp and DeleteApp fail and the bytes stay.
TEST_P(Utf16DeployListTest, AListThatCannotBeReadExactlyIsNotRewritten) {
  const std::string odd = Bytes(u"[Public]\r\nMinimumValidVersion=1.0\r\n[App]\r\nOnlineTime=1\r\n") + "x";
  dir_.Write(u"deploy.ini", odd);
  EXPECT_FALSE(list_->WriteApp(path_.c_str(), u"App", u"2.0", u"2", u"3"));
  EXPECT_FALSE(list_->WriteApp(path_.c_str(), u"Other", u"2.0", u"2", u"3"));
  EXPECT_FALSE(list_->DeleteApp(path_.c_str(), u"App"));
  EXPECT_EQ(dir_.Read(u"deploy.ini"), odd);
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, Utf16DeployListTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "BigEndian" : "LittleEndian";
                         });

TEST_F(AppDeployListTest, ManyAppsWithLongNamesAreAllListed) {
  std::string ini = "[Public]\n";
  Apps expected;
  for (int i = 0; i < 500; ++i) {
    const std::string name = "Application number " + std::to_string(i) + std::string(40, 'x');
    ini += "[" + name + "]\nOnlineTime=1\n";
    expected.push_back(platform::Utf8ToUtf16(name));
  }
  ASSERT_TRUE(OpenText(ini));
  Apps apps;
  ASSERT_TRUE(list_->GetApps(apps));
  EXPECT_EQ(apps, expected);
}

}  // namespace
}  // namespace pelcor_test
