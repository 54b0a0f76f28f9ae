// Downloads one file through libdrossel's synchronous downloader with a
// progress line, then asks the HTTP utility for the server's time and the
// file's length.
// Usage: drossel_demo <libdrossel.so> <file URL> <target folder>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "ZorTqCloudAppResBuf/ITqCloudAppResBuf.h"
#include "platform/module.h"
#include "platform/unicode.h"

using namespace ZorTqCloudAppResBuf;

namespace {

bool ShowProgress(IEventArg* arg, void*) {
  auto* progress = dynamic_cast<IDownloadProgressEventArg*>(arg);
  if (!progress) return false;
  const std::int64_t total = progress->GetTotalBytes();
  const std::int64_t done = progress->GetDownloadedBytes();
  std::printf("\r  %3d%%  %" PRId64 " of %" PRId64 " bytes", static_cast<int>(done * 100 / total), done, total);
  std::fflush(stdout);
  return true;
}

bool ShowEnd(IEventArg* arg, void*) {
  auto* download = dynamic_cast<IDownloadEventArg*>(arg);
  std::printf("\n  saved as %s\n", download ? platform::Utf16ToUtf8(download->GetLocalPath()).c_str() : "?");
  return true;
}

std::string Utf8(const char16_t* text) { return platform::Utf16ToUtf8(text); }

int Run(ITqCloudAppResBuf* root, const std::u16string& url, const std::u16string& folder) {
  ISyncDownload* sync = root->GetSyncDownload(nullptr);
  sync->GetEventMgr(nullptr)->AddHandler(EN_EVENT_PROGRESS, ShowProgress, nullptr);
  sync->GetEventMgr(nullptr)->AddHandler(EN_EVENT_END, ShowEnd, nullptr);
  std::printf("downloading %s\n", platform::Utf16ToUtf8(url).c_str());
  if (!sync->DownloadFile(url.c_str(), u"demo.bin", folder.c_str(), 60)) {
    std::printf("\n  failed: %s\n", Utf8(sync->GetErrorText()).c_str());
    return 1;
  }
  IHttpUtility* utility = root->GetHttpUtility(nullptr);
  const std::time_t now = static_cast<std::time_t>(utility->GetServerTime(url.c_str(), 10));
  char stamp[64] = "?";
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S UTC", std::gmtime(&now));
  std::printf("server time:    %s\n", utility->IsSuccess() ? stamp : Utf8(utility->GetErrorText()).c_str());
  std::printf("content length: %" PRId64 " bytes\n", utility->GetContentLength(url.c_str(), 10));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <libdrossel.so> <file URL> <target folder>\n", argv[0]);
    return 2;
  }
  std::string error;
  std::unique_ptr<platform::Module> library = platform::Module::Load(platform::Utf8ToUtf16(argv[1]), &error);
  if (!library) {
    std::fprintf(stderr, "cannot load %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  auto create = library->Function<PFN_CreateInstance>("CreateInstance", &error);
  ITqCloudAppResBuf* root = create ? create(nullptr) : nullptr;
  if (!root) {
    std::fprintf(stderr, "no root object: %s\n", error.c_str());
    return 1;
  }
  const int code = Run(root, platform::Utf8ToUtf16(argv[2]), platform::Utf8ToUtf16(argv[3]));
  root->Release();
  return code;
}
