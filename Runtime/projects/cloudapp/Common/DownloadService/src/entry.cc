// The library's load hook and its one export.
#include <new>

#include "tq_cloud_app_res_buf.h"
#include "zor_library.h"

namespace {

// Loading the library initialises libcurl (and makes the library's state,
// which unloading destroys).
__attribute__((constructor)) void OnLoad() { CZorLibrary::Instance(); }

}  // namespace

ZOR_EXPORT ZorTqCloudAppResBuf::ITqCloudAppResBuf* CreateInstance(ZorTqCloudAppResBuf::ITqCloudAppResBuf** out) {
  ZorTqCloudAppResBuf::ITqCloudAppResBuf* root = new (std::nothrow) CTqCloudAppResBuf(CZorLibrary::Instance());
  if (out) *out = root;
  return root;
}
