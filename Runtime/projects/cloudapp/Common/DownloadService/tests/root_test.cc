// The root object and the library's life: getters, a second root, and
// unloading and loading the library again.
#include "drossel_fixture.h"

namespace drossel_test {
namespace {

using Root = DrosselTest;

TEST_F(Root, GettersMakeEachObjectOnce) {
  ITqCloudAppResBuf* stored = nullptr;
  ITqCloudAppResBuf* made = createInstance_(&stored);
  extraRoots_.push_back(made);
  EXPECT_EQ(made, stored);
  EXPECT_TRUE(made->IsValid());

  ISyncDownload* sync = nullptr;
  IAsyncDownload* async = nullptr;
  IHttpUtility* utility = nullptr;
  EXPECT_EQ(made->GetSyncDownload(&sync), sync);
  EXPECT_EQ(made->GetSyncDownload(nullptr), sync);
  EXPECT_EQ(made->GetAsyncDownload(&async), async);
  EXPECT_EQ(made->GetAsyncDownload(nullptr), async);
  EXPECT_EQ(made->GetHttpUtility(&utility), utility);
  EXPECT_EQ(made->GetHttpUtility(nullptr), utility);
  IEventMgr* mgr = nullptr;
  EXPECT_EQ(sync->GetEventMgr(&mgr), mgr);
  IInternetProxy* proxy = nullptr;
  EXPECT_EQ(async->GetInternetProxy(&proxy), proxy);
  EXPECT_NE(proxy, sync->GetInternetProxy(nullptr));  // each object has its own settings
  ISecureProtocol* tls = nullptr;
  EXPECT_EQ(utility->GetSecureProtocol(&tls), tls);

  // A fresh synchronous downloader reads as success; Stop without downloads
  // returns at once.
  EXPECT_TRUE(sync->IsSuccess());
  EXPECT_EQ(sync->GetErrorCode(), 0u);
  EXPECT_EQ(U8(sync->GetErrorText()), "");
  EXPECT_TRUE(sync->Stop(0xFFFFFFFF));
  EXPECT_TRUE(async->Stop(0xFFFFFFFF));
}

TEST_F(Root, TheLibraryUnloadsAndLoadsAgain) {
  ASSERT_TRUE(Sync()->DownloadFile(Url("/files/a?size=100").c_str(), u"a.bin", Folder().c_str(), PatienceSeconds()));
  ASSERT_TRUE(Async()->DownloadFile(Url("/files/b?size=100").c_str(), u"b.bin", Folder().c_str()));
  ReleaseRoot();
  library_.reset();  // unloads: threads joined, handles and libcurl released
  library_ = std::make_unique<lumarine_testing::LibraryUnderTest>("libdrossel.so");
  createInstance_ = library_->Bind<PFN_CreateInstance>("CreateInstance");
  ASSERT_NE(createInstance_, nullptr);
  root_ = createInstance_(nullptr);
  EXPECT_TRUE(Sync()->DownloadFile(Url("/files/c?size=100").c_str(), u"c.bin", Folder().c_str(), PatienceSeconds()));
  EXPECT_EQ(ReadFile(u"c.bin"), Content(100));
}

}  // namespace
}  // namespace drossel_test
