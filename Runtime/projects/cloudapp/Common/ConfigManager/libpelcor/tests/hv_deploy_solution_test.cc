// The deploy-solution list ("HVSolutionConfig.json") through the loaded
// library: editing, saving, loading, cloning and ownership.
#include <gtest/gtest.h>

#include <string>

#include "owned_object.h"
#include "pelcor_library.h"
#include "testing/temp_dir.h"

namespace pelcor_test {
namespace {

constexpr char16_t kFile[] = u"HVSolutionConfig.json";

class DeploySolutionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(manager_, nullptr);
    ASSERT_NE(solutions_, nullptr);
  }

  Owned<IHVDeploySolutionMgr> NewList() { return Owned<IHVDeploySolutionMgr>(manager_->CreateDeploySolutionMgr()); }

  // Writes `json` as the list file of `folder` (below the test's folder).
  std::u16string ListFolder(const std::u16string& folder, const std::string& json) {
    dir_.Write(folder + u"/" + kFile, json);
    return dir_.File(folder);
  }

  // Adds a solution with one folder to `list`.
  static IHVDeploySolution* AddSolution(IHVDeploySolutionMgr& list, const char16_t* name, const char16_t* folder) {
    IHVDeploySolution* solution = list.CreateSolution();
    solution->SetName(name);
    IHVDeploySolutionFolder* item = solution->CreateFolder();
    item->SetName(folder);
    EXPECT_TRUE(solution->AddFolder(item));
    EXPECT_TRUE(list.Add(solution));
    return solution;
  }

  ManagerPtr manager_ = NewManager();
  Owned<IHVDeploySolutionMgr> solutions_ = NewList();
  lumarine_testing::TempDir dir_;
};

TEST_F(DeploySolutionTest, EditedListIsSavedInMemberOrderAndReadBack) {
  dir_.Write(u"ws/.keep", "");
  ASSERT_EQ(solutions_->Load(dir_.File(u"ws").c_str()), CONFIG_OPEN_FAILED);
  IHVDeploySolution* solution = AddSolution(*solutions_, u"C:\\work\\shop.tqp", u"api");
  IHVDeploySolutionWebApi* web = solution->GetFolder(0)->GetWebApi();
  web->SetHosts(u"a.example;b.example");
  web->SetHttps(true);
  web->SetPort(8443);
  web->SetUrl(u"/v1/\u00e9");
  AddSolution(*solutions_, u"second", u"f");
  ASSERT_EQ(solutions_->Save(), CONFIG_OK);
  EXPECT_EQ(dir_.Read(std::u16string(u"ws/") + kFile),
            R"({"solution":[{"projectpath":"C:\\work\\shop.tqp","folder":[{"webapi":{"hosts":"a.example;b.example",)"
            R"("https":true,"port":8443,"url":"/v1/)"
            "\xC3\xA9"
            R"("},"foldername":"api"}]},{"projectpath":"second","folder":[{"webapi":{"hosts":"","https":false,)"
            R"("port":0,"url":""},"foldername":"f"}]}]})");

  Owned<IHVDeploySolutionMgr> again = NewList();
  ASSERT_EQ(again->Load(dir_.File(u"ws").c_str()), CONFIG_OK);
  ASSERT_EQ(again->Count(), 2u);
  IHVDeploySolutionFolder* folder = again->FindByName(u"C:\\work\\shop.tqp")->FindFolder(u"api");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(std::u16string(folder->GetWebApi()->GetHosts()), u"a.example;b.example");
  EXPECT_TRUE(folder->GetWebApi()->GetHttps());
  EXPECT_EQ(folder->GetWebApi()->GetPort(), 8443u);
  EXPECT_EQ(std::u16string(folder->GetWebApi()->GetUrl()), u"/v1/\u00e9");
  EXPECT_EQ(std::u16string(again->GetAt(1)->GetName()), u"second");
  EXPECT_EQ(again->GetAt(2), nullptr);
  EXPECT_EQ(again->GetAt(0)->GetFolder(1), nullptr);
}

TEST_F(DeploySolutionTest, LoadReadsWhatIsThereAndRefusesOtherShapes) {
  const std::u16string folder = ListFolder(
      u"a", R"({"solution":[{"projectpath":"p","folder":[{"foldername":"no web api"},)"
            R"({"webapi":{"hosts":1,"https":1,"port":"80"},"foldername":"typed"}]},{"projectpath":"bare"},7]})");
  ASSERT_EQ(solutions_->Load(folder.c_str()), CONFIG_OK);
  ASSERT_EQ(solutions_->Count(), 3u);
  IHVDeploySolution* first = solutions_->GetAt(0);
  ASSERT_EQ(first->FolderCount(), 2u);
  EXPECT_EQ(std::u16string(first->GetFolder(0)->GetName()), u"no web api");
  EXPECT_EQ(std::u16string(first->GetFolder(0)->GetWebApi()->GetHosts()), u"");
  IHVDeploySolutionWebApi* typed = first->GetFolder(1)->GetWebApi();
  EXPECT_EQ(std::u16string(typed->GetHosts()), u"");
  EXPECT_FALSE(typed->GetHttps());
  EXPECT_EQ(typed->GetPort(), 0u);
  EXPECT_EQ(solutions_->GetAt(1)->FolderCount(), 0u);
  EXPECT_FALSE(solutions_->GetAt(1)->IsValid());
  EXPECT_TRUE(first->IsValid());
  EXPECT_EQ(std::u16string(solutions_->GetAt(2)->GetName()), u"");

  EXPECT_EQ(solutions_->Load(ListFolder(u"b", R"({"Solution":[]})").c_str()), CONFIG_MISSING_MEMBER);
  EXPECT_TRUE(solutions_->IsEmpty());
  EXPECT_EQ(solutions_->Load(ListFolder(u"c", R"({"solution":{}})").c_str()), CONFIG_INVALID_JSON);
  EXPECT_EQ(solutions_->Load(ListFolder(u"d", R"([])").c_str()), CONFIG_INVALID_JSON);
  EXPECT_EQ(solutions_->Load(ListFolder(u"e", "").c_str()), CONFIG_EMPTY_FILE);
  EXPECT_EQ(solutions_->Load(ListFolder(u"f", R"({"solution":[]})").c_str()), CONFIG_OK);
  EXPECT_TRUE(solutions_->IsEmpty());
}

TEST_F(DeploySolutionTest, FailedLoadDoesNotCarryTheOldListIntoTheNewFolder) {
  const std::string old_list = R"({"solution":[{"projectpath":"old","folder":[]}]})";
  ASSERT_EQ(solutions_->Load(ListFolder(u"old", old_list).c_str()), CONFIG_OK);
  ASSERT_EQ(solutions_->Count(), 1u);
  dir_.Write(u"new/.keep", "");
  EXPECT_EQ(solutions_->Load(dir_.File(u"new").c_str()), CONFIG_OPEN_FAILED);
  EXPECT_TRUE(solutions_->IsEmpty());
  ASSERT_EQ(solutions_->Save(), CONFIG_OK);
  EXPECT_EQ(dir_.Read(std::u16string(u"new/") + kFile), R"({"solution":[]})");
  EXPECT_EQ(dir_.Read(std::u16string(u"old/") + kFile), old_list);
}

TEST_F(DeploySolutionTest, NamesMatchExactlyAndRemoveTakesTheFirst) {
  AddSolution(*solutions_, u"app", u"one");
  AddSolution(*solutions_, u"app", u"two");
  EXPECT_EQ(solutions_->FindByName(u"App"), nullptr);
  EXPECT_EQ(solutions_->FindByName(nullptr), nullptr);
  EXPECT_FALSE(solutions_->Remove(u"APP"));
  EXPECT_FALSE(solutions_->Remove(nullptr));
  EXPECT_TRUE(solutions_->Remove(u"app"));
  ASSERT_EQ(solutions_->Count(), 1u);
  EXPECT_EQ(std::u16string(solutions_->FindByName(u"app")->GetFolder(0)->GetName()), u"two");
  EXPECT_EQ(solutions_->GetAt(0)->FindFolder(u"TWO"), nullptr);
  EXPECT_EQ(solutions_->GetAt(0)->FindFolder(nullptr), nullptr);
}

// A solution that the library did not make.
class ForeignSolution final : public IHVDeploySolution {
 public:
  void Release() override { released = true; }
  bool IsValid() override { return false; }
  void Clear() override {}
  void SetName(const char16_t*) override {}
  const char16_t* GetName() override { return u""; }
  unsigned FolderCount() override { return 0; }
  IHVDeploySolutionFolder* CreateFolder() override { return nullptr; }
  bool AddFolder(IHVDeploySolutionFolder*) override { return false; }
  IHVDeploySolutionFolder* GetFolder(unsigned) override { return nullptr; }
  IHVDeploySolutionFolder* FindFolder(const char16_t*) override { return nullptr; }
  void RemoveAll() override {}
  bool released = false;
};

TEST_F(DeploySolutionTest, OnlyUnownedObjectsOfTheLibraryAreAdopted) {
  ForeignSolution foreign;
  EXPECT_FALSE(solutions_->Add(&foreign));
  EXPECT_FALSE(solutions_->Add(nullptr));
  IHVDeploySolution* solution = AddSolution(*solutions_, u"s", u"f");
  // Adding an owned object again, here or elsewhere, would free it twice.
  EXPECT_FALSE(solutions_->Add(solution));
  Owned<IHVDeploySolutionMgr> other = NewList();
  EXPECT_FALSE(other->Add(solution));
  EXPECT_FALSE(solution->AddFolder(solution->GetFolder(0)));
  Owned<IHVDeploySolution> elsewhere(other->CreateSolution());
  EXPECT_FALSE(elsewhere->AddFolder(solution->GetFolder(0)));
  EXPECT_EQ(solutions_->Count(), 1u);
  EXPECT_EQ(solution->FolderCount(), 1u);
  solutions_.reset();
  other.reset();
  EXPECT_FALSE(foreign.released);
}

TEST_F(DeploySolutionTest, CloneIsDeepAndClearingItLeavesTheSource) {
  ASSERT_EQ(solutions_->Load(ListFolder(u"w", R"({"solution":[]})").c_str()), CONFIG_OK);
  AddSolution(*solutions_, u"s", u"f")->GetFolder(0)->GetWebApi()->SetUrl(u"/u");
  Owned<IHVDeploySolutionMgr> clone(solutions_->Clone());
  ASSERT_NE(clone, nullptr);
  ASSERT_EQ(clone->Count(), 1u);
  EXPECT_NE(clone->GetAt(0), solutions_->GetAt(0));
  clone->GetAt(0)->GetFolder(0)->GetWebApi()->SetUrl(u"/changed");
  clone->GetAt(0)->GetFolder(0)->Clear();  // keeps the URL
  EXPECT_EQ(std::u16string(clone->GetAt(0)->GetFolder(0)->GetWebApi()->GetUrl()), u"/changed");
  clone->Clear();
  EXPECT_TRUE(clone->IsEmpty());
  ASSERT_EQ(solutions_->Count(), 1u);
  EXPECT_EQ(std::u16string(solutions_->GetAt(0)->GetFolder(0)->GetName()), u"f");
  EXPECT_EQ(std::u16string(solutions_->GetAt(0)->GetFolder(0)->GetWebApi()->GetUrl()), u"/u");
  // The clone saves to the source's folder.
  ASSERT_EQ(clone->Save(), CONFIG_OK);
  EXPECT_EQ(dir_.Read(std::u16string(u"w/") + kFile), R"({"solution":[]})");
}

}  // namespace
}  // namespace pelcor_test
