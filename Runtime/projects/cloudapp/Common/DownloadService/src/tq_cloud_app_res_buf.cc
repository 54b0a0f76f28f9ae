#include "tq_cloud_app_res_buf.h"

#include "no_throw.h"

using namespace ZorTqCloudAppResBuf;

namespace {

// Makes the member on first request; null (and a later retry) when memory
// runs out.
template <typename Interface, typename Object, typename... Args>
Interface* Get(std::unique_ptr<Object>& member, Interface** out, Args&... args) {
  if (!member) member.reset(NoThrow<Object*>(nullptr, [&] { return new Object(args...); }));
  Interface* result = member.get();
  if (out) *out = result;
  return result;
}

template <typename Object>
void ShutDown(std::unique_ptr<Object>& member) {
  if (!member) return;
  member->Shutdown();
  member.reset();
}

}  // namespace

CTqCloudAppResBuf::~CTqCloudAppResBuf() {
  ShutDown(sync_);
  ShutDown(async_);
  ShutDown(utility_);
}

IAsyncDownload* CTqCloudAppResBuf::GetAsyncDownload(IAsyncDownload** out) {
  return Get<IAsyncDownload>(async_, out, library_.WorkerPool(), library_.EventPool());
}

ISyncDownload* CTqCloudAppResBuf::GetSyncDownload(ISyncDownload** out) {
  return Get<ISyncDownload>(sync_, out, library_.WorkerPool());
}

IHttpUtility* CTqCloudAppResBuf::GetHttpUtility(IHttpUtility** out) {
  return Get<IHttpUtility>(utility_, out, library_.WorkerPool());
}
