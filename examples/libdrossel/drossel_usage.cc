// Downloads a file with libdrossel's synchronous downloader, printing its
// progress, or says why the download failed.
// Usage: drossel_usage <URL> <file name> <folder>
#include <dlfcn.h>

#include <cinttypes>
#include <cstdio>

#include "ZorTqCloudAppResBuf/ITqCloudAppResBuf.h"
#include "utf16_text.h"  // Utf16() and Utf8(), from examples/common/

using namespace ZorTqCloudAppResBuf;

namespace {

// Runs on the thread blocked in DownloadFile, once per progress event.
bool OnProgress(IEventArg* arg, void*) {
  auto* progress = dynamic_cast<IDownloadProgressEventArg*>(arg);
  if (progress == nullptr) return false;
  std::printf("%" PRId64 " of %" PRId64 " bytes\n", progress->GetDownloadedBytes(), progress->GetTotalBytes());
  return true;
}

bool Download(ITqCloudAppResBuf& root, const char* url, const char* file_name, const char* folder) {
  ISyncDownload* sync = root.GetSyncDownload(nullptr);
  sync->GetEventMgr(nullptr)->AddHandler(EN_EVENT_PROGRESS, OnProgress, nullptr);
  // Waits for the end of the transfer, or 60 seconds without any event.
  if (sync->DownloadFile(Utf16(url).c_str(), Utf16(file_name).c_str(), Utf16(folder).c_str(), 60)) return true;
  std::printf("%s\n", Utf8(sync->GetErrorText()).c_str());  // e.g. "HTTP error.(error code: 404)"
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <URL> <file name> <folder>\n", argv[0]);
    return 2;
  }
  void* library = dlopen("libdrossel.so", RTLD_NOW);
  auto create = library != nullptr ? reinterpret_cast<PFN_CreateInstance>(dlsym(library, "CreateInstance")) : nullptr;
  ITqCloudAppResBuf* root = create != nullptr ? create(nullptr) : nullptr;
  if (root == nullptr) {
    const char* why = dlerror();
    std::fprintf(stderr, "cannot use libdrossel.so: %s\n", why != nullptr ? why : "no root object");
    return 1;
  }
  const bool done = Download(*root, argv[1], argv[2], argv[3]);
  root->Release();  // stops every transfer and frees what the root made
  dlclose(library);
  return done ? 0 : 1;
}
