// libdrossel's throughput beside the curl command line, in one run, from
// one nginx over loopback into one sink folder:
//   - one 1 GiB file through the synchronous downloader and through
//     `curl -o` (MB/s, and the ratio printed at the end);
//   - 1000 small files through the asynchronous downloader (files/s).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <string>

#include "ZorTqCloudAppResBuf/ITqCloudAppResBuf.h"
#include "nginx_server.h"
#include "platform/module.h"
#include "platform/unicode.h"

namespace {

using namespace ZorTqCloudAppResBuf;
using Clock = std::chrono::steady_clock;

constexpr std::int64_t kBigSize = 1LL << 30;
constexpr int kSmallCount = 1000;
constexpr int kSmallSize = 4096;

struct Setup {
  std::string root;  // temporary folder: www/, nginx/
  std::string sink;  // in memory (/dev/shm), so disk write-back does not blur the figures
  std::unique_ptr<NginxServer> nginx;
  std::unique_ptr<platform::Module> library;
  ITqCloudAppResBuf* drossel = nullptr;
  std::string error;
  std::map<std::string, double> megabytesPerSecond;

  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(nginx->port()) + path; }
  std::string Sink(const std::string& name) const { return sink + "/" + name; }
};

Setup* setup = nullptr;

void WriteFile(const std::string& path, std::int64_t size) {
  std::string block(1 << 20, '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + i / 4096);
  std::ofstream out(path, std::ios::binary);
  for (std::int64_t left = size; left > 0; left -= static_cast<std::int64_t>(block.size())) {
    out.write(block.data(), static_cast<std::streamsize>(std::min<std::int64_t>(left, block.size())));
  }
}

bool Prepare(Setup& s) {
  char pattern[] = "/tmp/drossel-bench-XXXXXX";
  char sinkPattern[] = "/dev/shm/drossel-bench-XXXXXX";
  if (!::mkdtemp(pattern) || !::mkdtemp(sinkPattern)) return false;
  s.root = pattern;
  s.sink = sinkPattern;
  for (const char* dir : {"www/small", "nginx"}) std::filesystem::create_directories(s.root + "/" + dir);
  std::filesystem::create_directories(s.sink + "/small");
  WriteFile(s.root + "/www/big.bin", kBigSize);
  for (int i = 0; i < kSmallCount; ++i) WriteFile(s.root + "/www/small/" + std::to_string(i), kSmallSize);
  s.nginx = NginxServer::Start(s.root + "/www", s.root + "/nginx", &s.error);
  if (!s.nginx) return false;
  s.library = platform::Module::Load(platform::Utf8ToUtf16(LUMARINE_BINARY_DIR "/libdrossel.so"), &s.error);
  if (!s.library) return false;
  auto create = s.library->Function<PFN_CreateInstance>("CreateInstance", &s.error);
  s.drossel = create ? create(nullptr) : nullptr;
  return s.drossel != nullptr;
}

void Record(benchmark::State& state, const char* name, double seconds, std::int64_t bytes) {
  state.SetIterationTime(seconds);
  setup->megabytesPerSecond[name] = std::max(setup->megabytesPerSecond[name], bytes / seconds / 1e6);
}

void BM_CurlCommandLine1GiB(benchmark::State& state) {
  const std::string command = "curl -s -o '" + setup->Sink("curl.bin") + "' '" + setup->Url("/big.bin") + "'";
  for (auto _ : state) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) state.SkipWithError("curl failed");
    Record(state, "curl", std::chrono::duration<double>(Clock::now() - start).count(), kBigSize);
  }
  state.SetBytesProcessed(state.iterations() * kBigSize);
}

void BM_DrosselSync1GiB(benchmark::State& state) {
  ISyncDownload* sync = setup->drossel->GetSyncDownload(nullptr);
  const std::u16string url = platform::Utf8ToUtf16(setup->Url("/big.bin"));
  const std::u16string folder = platform::Utf8ToUtf16(setup->sink);
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!sync->DownloadFile(url.c_str(), u"drossel.bin", folder.c_str(), 60)) state.SkipWithError("download failed");
    Record(state, "drossel", std::chrono::duration<double>(Clock::now() - start).count(), kBigSize);
  }
  state.SetBytesProcessed(state.iterations() * kBigSize);
}

struct EndCounter {
  std::mutex mutex;
  std::condition_variable changed;
  int ended = 0, failed = 0;

  static bool OnEnd(IEventArg* arg, void* self) {
    auto* counter = static_cast<EndCounter*>(self);
    std::lock_guard<std::mutex> lock(counter->mutex);
    ++counter->ended;
    counter->failed += arg->GetEventType() == EN_EVENT_FAILED;
    counter->changed.notify_all();
    return true;
  }
};

void BM_DrosselAsync1000Files(benchmark::State& state) {
  IAsyncDownload* async = setup->drossel->GetAsyncDownload(nullptr);
  EndCounter counter;
  async->GetEventMgr(nullptr)->AddHandler(EN_EVENT_END, &EndCounter::OnEnd, &counter);
  async->GetEventMgr(nullptr)->AddHandler(EN_EVENT_FAILED, &EndCounter::OnEnd, &counter);
  const std::u16string folder = platform::Utf8ToUtf16(setup->sink + "/small");
  for (auto _ : state) {
    const auto start = Clock::now();
    {
      std::lock_guard<std::mutex> lock(counter.mutex);
      counter.ended = counter.failed = 0;
    }
    for (int i = 0; i < kSmallCount; ++i) {
      const std::u16string url = platform::Utf8ToUtf16(setup->Url("/small/" + std::to_string(i)));
      const std::u16string name = platform::Utf8ToUtf16(std::to_string(i));
      async->DownloadFile(url.c_str(), name.c_str(), folder.c_str());
    }
    std::unique_lock<std::mutex> lock(counter.mutex);
    counter.changed.wait(lock, [&] { return counter.ended == kSmallCount; });
    if (counter.failed) state.SkipWithError("some downloads failed");
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
  }
  state.SetItemsProcessed(state.iterations() * kSmallCount);
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(state.iterations() * kSmallCount),
                                                 benchmark::Counter::kIsRate);
  async->GetEventMgr(nullptr)->RemoveHandler(EN_EVENT_END, &EndCounter::OnEnd, &counter);
  async->GetEventMgr(nullptr)->RemoveHandler(EN_EVENT_FAILED, &EndCounter::OnEnd, &counter);
}

BENCHMARK(BM_CurlCommandLine1GiB)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrosselSync1GiB)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrosselAsync1000Files)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  Setup s;
  setup = &s;
  const bool ready = Prepare(s);
  if (ready) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double curl = s.megabytesPerSecond["curl"], drossel = s.megabytesPerSecond["drossel"];
    if (curl > 0 && drossel > 0) {
      std::printf("1 GiB over loopback (best of 3): libdrossel %.0f MB/s, curl -o %.0f MB/s, ratio %.3f\n", drossel,
                  curl, drossel / curl);
    }
  } else {
    std::printf("download benchmark skipped: %s\n", s.error.c_str());
  }
  if (s.drossel) s.drossel->Release();
  s.library.reset();
  s.nginx.reset();
  if (!s.root.empty()) std::filesystem::remove_all(s.root);
  if (!s.sink.empty()) std::filesystem::remove_all(s.sink);
  return 0;
}
