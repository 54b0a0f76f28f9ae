// Script evaluations as the browser control makes them, to a real Kestrun
// renderer holding one page:
// - latency: one synchronous evaluation (the request message, the
//   evaluation, the "ExecJS" call and its reply) and one asynchronous
//   evaluation (request and response messages), beside a bare RPC round trip
//   to the same server in the same run (a function the server does not have,
//   answered at once); p50 and p99 of each and their ratio;
// - memory: the renderer's resident size after long runs of evaluations of
//   each kind, and of page calls of an event function, against its size
//   after the first evaluation;
// - allocating scripts, on a renderer started afresh: one asynchronous
//   evaluation each of a script that builds a string, one that turns a
//   large value into JSON, one that makes many small objects, and one that
//   only computes (the control), each timed until the renderer answers the
//   evaluation after it, so that a collection it makes between the two
//   counts; medians of the time and of the renderer's CPU time (all its
//   threads), and its peak resident size.
//
// `--baseline-kestrun=PATH` starts a second renderer from PATH (another
// build, such as the previous tree's) that gets the same evaluations:
// sample by sample, alternating with the first, in the latency and
// allocating phases, and each long run after the first's in the memory
// phase. Its figures are printed beside the first's, with their ratio.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/echo_function.h"
#include "bench/latency_samples.h"
#include "cefshim/host/renderer_process.h"
#include "platform/unicode.h"
#include "rpc/file_mapping_client.h"
#include "rpc/file_mapping_server.h"
#include "rpc/rpc_server.h"

namespace {

constexpr int kSamples = 5000;
constexpr int kLongRun = 100000;
constexpr int kAllocatingSamples = 31;
constexpr std::int32_t kBrowser = 1;
constexpr std::int64_t kFrame = 10;
constexpr std::chrono::seconds kPatience{60};
constexpr char kBaselineOption[] = "--baseline-kestrun=";

CefRefPtr<CefProcessMessage> Request(const char16_t* name, const char16_t* text) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
  const std::uint8_t packed[9] = {0};
  message->GetArgumentList()->SetBinary(0, CefBinaryValue::Create(packed, sizeof packed));
  message->GetArgumentList()->SetString(1, text);
  return message;
}

// One Kestrun renderer with its page, the page's service, the host's event
// server (whose function "Echo" the page calls) and a client of the service.
class Renderer {
 public:
  // Starts `executable` and makes the first evaluation of each kind; false,
  // reported, when it does not answer. Each start has names of its own.
  bool Start(const std::string& executable) {
    std::string error;
    process_ = cefshim::host::RendererProcess::Start(executable, {"--type=renderer"}, &error);
    if (!process_) {
      std::fprintf(stderr, "%s cannot be started: %s\n", executable.c_str(), error.c_str());
      return false;
    }
    static int starts = 0;
    const platform::WString object_id =
        platform::Utf8ToUtf16("bench" + std::to_string(::getpid()) + "_" + std::to_string(++starts));
    event_server_ = std::make_unique<RPCServer::CRPCServer>(new RPCServer::CFileMappingServerImp());
    event_server_->RegisterFunction(u"Echo", new bench::EchoFunction());
    if (event_server_->Start((u"Local\\" + object_id + u"_SECTQE_Server").c_str(), 0) != 0) {
      std::fprintf(stderr, "the host's event server cannot start\n");
      return false;
    }
    process_->CreateBrowser(kBrowser, kFrame);
    process_->LoadPage(kBrowser, kFrame, true, "bench.js", "var counter = 0;");
    process_->SendProcessMessage(kBrowser, kFrame, Request(u"SaveWebBrowserObjectID", object_id.c_str()));
    process_->SendProcessMessage(kBrowser, kFrame, Request(u"JavascriptRegisterEvent", u"Echo"));
    // The service is up once a first evaluation comes back through it.
    client_ = std::make_unique<RPCClient::CRPCClient>(new RPCClient::CFileMappingClient());
    client_->Connect((u"Local\\" + object_id + u"_SECJS_Server").c_str(), 0);
    if (!EvaluateSync(Request(u"EvaluateJavascriptRequestSync", u"counter")) ||
        !EvaluateAsync(Request(u"EvaluateJavascriptRequestAsync", u"WebBrowser.Echo('x')"))) {
      std::fprintf(stderr, "%s does not answer\n%s", executable.c_str(), process_->Output().c_str());
      return false;
    }
    CollectAsyncSignal();
    first_resident_ = ResidentMB("VmRSS:");
    return true;
  }

  // One synchronous evaluation: true when its result came back.
  bool EvaluateSync(const CefRefPtr<CefProcessMessage>& request) {
    const platform::WChar* result = nullptr;
    return process_->SendProcessMessage(kBrowser, kFrame, request) &&
           client_->Call(u"ExecJS", u"", &result, nullptr) == 0 && result != nullptr;
  }

  // One asynchronous evaluation: true when it succeeded.
  bool EvaluateAsync(const CefRefPtr<CefProcessMessage>& request) {
    if (!process_->SendProcessMessage(kBrowser, kFrame, request)) return false;
    const auto response = process_->WaitForMessage(u"EvaluateJavascriptResponseAsync", kPatience);
    return response && response->message->GetArgumentList()->GetBool(0);
  }

  // Takes the signal that asynchronous evaluations leave on the service, so
  // that the next "ExecJS" call waits for its own evaluation.
  void CollectAsyncSignal() {
    const platform::WChar* result = nullptr;
    client_->Call(u"ExecJS", u"", &result, nullptr);
  }

  // The bare round trip: a function the service does not have.
  bool Ping() {
    const platform::WChar* result = nullptr;
    return client_->Call(u"Ping", u"", &result, nullptr) == 0 && result == nullptr;
  }

  // A size field of the renderer's /proc status ("VmRSS:", "VmHWM:") in MB;
  // -1 when unreadable.
  double ResidentMB(const char* field) const {
    std::ifstream status("/proc/" + std::to_string(process_->pid()) + "/status");
    std::string name;
    long kilobytes = 0;
    while (status >> name) {
      if (name == field && status >> kilobytes) return static_cast<double>(kilobytes) / 1024;
    }
    return -1;
  }

  // The CPU time all the renderer's threads have used so far, in seconds.
  double CpuSeconds() const {
    double nanoseconds = 0;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(process_->pid()) + "/task", error)) {
      std::ifstream schedstat(task.path() / "schedstat");
      double on_cpu = 0;
      if (schedstat >> on_cpu) nanoseconds += on_cpu;
    }
    return nanoseconds / 1e9;
  }

  // The resident size after the first evaluations.
  double first_resident() const { return first_resident_; }

 private:
  // Declared before the process, so that the renderer ends first.
  std::unique_ptr<RPCServer::CRPCServer> event_server_;
  std::unique_ptr<cefshim::host::RendererProcess> process_;
  std::unique_ptr<RPCClient::CRPCClient> client_;
  double first_resident_ = 0;
};

std::unique_ptr<Renderer> ours;
std::unique_ptr<Renderer> baseline;  // with --baseline-kestrun only
bench::LatencySamples samples;

// Times `evaluate(ours)` once per iteration under `name`, and right after
// each, `evaluate(*baseline)` under "baseline " + `name`.
template <typename Evaluate>
void MeasureBeside(benchmark::State& state, const std::string& name, Evaluate evaluate) {
  samples.Clear(name);
  samples.Clear("baseline " + name);
  for (auto _ : state) {
    double seconds = 0;
    if (!samples.Time(name, [&] { return evaluate(*ours); }, &seconds) ||
        (baseline && !samples.Time("baseline " + name, [&] { return evaluate(*baseline); }))) {
      state.SkipWithError("evaluation failed");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_BareRpcCall(benchmark::State& state) {
  samples.Measure(state, "bare rpc call", [] { return ours->Ping(); });
}

void BM_SyncEvaluation(benchmark::State& state) {
  const CefRefPtr<CefProcessMessage> request = Request(u"EvaluateJavascriptRequestSync", u"counter += 1");
  MeasureBeside(state, "sync evaluation", [&request](Renderer& renderer) { return renderer.EvaluateSync(request); });
}

void BM_AsyncEvaluation(benchmark::State& state) {
  const CefRefPtr<CefProcessMessage> request = Request(u"EvaluateJavascriptRequestAsync", u"counter += 1");
  MeasureBeside(state, "async evaluation", [&request](Renderer& renderer) { return renderer.EvaluateAsync(request); });
}

BENCHMARK(BM_BareRpcCall)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SyncEvaluation)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AsyncEvaluation)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);

void ReportLatency() {
  samples.Report("round trips to one Kestrun renderer", "sync evaluation", "bare rpc call");
  samples.PrintRatio("sync evaluation", "baseline sync evaluation");
  samples.PrintRatio("async evaluation", "baseline async evaluation");
}

// Runs `evaluate` kLongRun times on `renderer` and prints its resident size
// against its first; false when an evaluation failed.
template <typename Evaluate>
bool LongRun(Renderer& renderer, const char* what, Evaluate evaluate) {
  for (int i = 0; i < kLongRun; ++i) {
    if (!evaluate(renderer)) {
      std::fprintf(stderr, "%s: evaluation %d failed\n", what, i);
      return false;
    }
  }
  const double now = renderer.ResidentMB("VmRSS:");
  std::printf("  %-8s after %d more %-40s %7.1f MB (%+.1f MB)\n", &renderer == ours.get() ? "" : "baseline", kLongRun, what,
              now, now - renderer.first_resident());
  return true;
}

// The same long run on each renderer.
template <typename Evaluate>
bool LongRuns(const char* what, Evaluate evaluate) {
  return LongRun(*ours, what, evaluate) && (!baseline || LongRun(*baseline, what, evaluate));
}

// The memory phase: each renderer's resident size after each long run,
// against its size after the first evaluations.
bool ReportMemory() {
  const auto async_small = Request(u"EvaluateJavascriptRequestAsync", u"1+1");
  const auto async_text = Request(u"EvaluateJavascriptRequestAsync", u"'x'.repeat(999) + (counter++ % 10)");
  const auto sync_small = Request(u"EvaluateJavascriptRequestSync", u"1+1");
  const auto sync_text = Request(u"EvaluateJavascriptRequestSync", u"'x'.repeat(999) + (counter++ % 10)");
  const auto event_call = Request(u"EvaluateJavascriptRequestAsync", u"WebBrowser.Echo('x'.repeat(100))");
  for (Renderer* renderer : {ours.get(), baseline.get()}) {
    if (!renderer) continue;
    std::printf("\n%srenderer resident size after the first evaluations %.1f MB, after the latency runs %.1f MB",
                renderer == ours.get() ? "" : "baseline ", renderer->first_resident(), renderer->ResidentMB("VmRSS:"));
  }
  std::printf("\n");
  if (!LongRuns("async evaluations of 1+1", [&](Renderer& r) { return r.EvaluateAsync(async_small); }) ||
      !LongRuns("async evaluations of a 1,000-char text", [&](Renderer& r) { return r.EvaluateAsync(async_text); })) {
    return false;
  }
  ours->CollectAsyncSignal();
  if (baseline) baseline->CollectAsyncSignal();
  return LongRuns("sync evaluations of 1+1", [&](Renderer& r) { return r.EvaluateSync(sync_small); }) &&
         LongRuns("sync evaluations of a 1,000-char text", [&](Renderer& r) { return r.EvaluateSync(sync_text); }) &&
         LongRuns("event function calls from the page", [&](Renderer& r) { return r.EvaluateAsync(event_call); });
}

// A script that allocates (or, the control, does not), run 10 times in one
// evaluation.
struct AllocatingScript {
  const char* name;
  const char16_t* script;
};

const AllocatingScript kAllocatingScripts[] = {
    {"a 10 MB string built by +=",
     u"(function () { let n = 0; for (let k = 0; k < 10; k++) { let s = '';"
     u" for (let i = 0; i < 1000000; i++) s += '0123456789'; n += s.length; } return n; })()"},
    {"JSON.stringify of a 5 MB array",
     u"(function () { const large = []; for (let i = 0; i < 60000; i++)"
     u" large.push({ id: i, name: 'item number ' + i, price: i * 0.25, tags: ['a', 'b'], ok: true });"
     u" let n = 0; for (let k = 0; k < 10; k++) n += JSON.stringify(large).length; return n; })()"},
    {"an array of 1,000,000 small objects",
     u"(function () { let n = 0; for (let k = 0; k < 10; k++) { const a = [];"
     u" for (let i = 0; i < 1000000; i++) a.push({ i: i, odd: (i & 1) === 1 }); n += a.length; } return n; })()"},
    {"10,000,000 arithmetic steps (control)",
     u"(function () { let x = 0; for (let k = 0; k < 10; k++)"
     u" for (let i = 0; i < 10000000; i++) x = (x + i * 3) % 1000003; return x; })()"},
};

// Times `request` and then `next` on `renderer` under `name`: the time in
// `wall`, the renderer's CPU time in `cpu`. False when either failed.
bool TimeAllocating(Renderer& renderer, const std::string& name, const CefRefPtr<CefProcessMessage>& request,
                    const CefRefPtr<CefProcessMessage>& next, bench::LatencySamples& wall, bench::LatencySamples& cpu) {
  const double cpu_before = renderer.CpuSeconds();
  if (!wall.Time(name, [&] { return renderer.EvaluateAsync(request) && renderer.EvaluateAsync(next); })) return false;
  cpu.Add(name, (renderer.CpuSeconds() - cpu_before) * 1e6);
  return true;
}

// Prints the medians of `name` in ms, and their ratio to the baseline's.
void PrintAllocatingMedians(const char* name, const bench::LatencySamples& wall, const bench::LatencySamples& cpu) {
  const std::string base = std::string("baseline ") + name;
  std::printf("  %-40s %8.1f ms  cpu %8.1f ms", name, wall.Percentile(name, 0.5) / 1000, cpu.Percentile(name, 0.5) / 1000);
  if (baseline) {
    std::printf("   baseline %8.1f ms  cpu %8.1f ms   %.2fx  cpu %.2fx", wall.Percentile(base, 0.5) / 1000,
                cpu.Percentile(base, 0.5) / 1000, wall.Percentile(name, 0.5) / wall.Percentile(base, 0.5),
                cpu.Percentile(name, 0.5) / cpu.Percentile(base, 0.5));
  }
  std::printf("\n");
}

// The allocating phase: in each sample the scripts in a new order (when a
// script's collections come depends on the garbage that the one before left),
// each on both renderers, whose order is swapped each time; medians, and each
// renderer's resident and peak size afterwards.
bool ReportAllocatingScripts() {
  const auto next = Request(u"EvaluateJavascriptRequestAsync", u"0");
  bench::LatencySamples wall;
  bench::LatencySamples cpu;
  std::vector<const AllocatingScript*> order;
  for (const AllocatingScript& each : kAllocatingScripts) order.push_back(&each);
  std::mt19937 shuffler;  // the same orders in every run
  for (int sample = 0; sample < kAllocatingSamples; ++sample) {
    std::shuffle(order.begin(), order.end(), shuffler);
    for (const AllocatingScript* each : order) {
      const auto request = Request(u"EvaluateJavascriptRequestAsync", each->script);
      const bool ours_first = sample % 2 == 0;
      for (Renderer* renderer : {ours_first ? ours.get() : baseline.get(), ours_first ? baseline.get() : ours.get()}) {
        if (!renderer) continue;
        const std::string name = renderer == ours.get() ? each->name : std::string("baseline ") + each->name;
        if (!TimeAllocating(*renderer, name, request, next, wall, cpu)) {
          std::fprintf(stderr, "%s: evaluation failed\n", name.c_str());
          return false;
        }
      }
    }
  }
  std::printf("\nallocating scripts, each 10 times in one async evaluation, median of %d\n", kAllocatingSamples);
  for (const AllocatingScript& each : kAllocatingScripts) PrintAllocatingMedians(each.name, wall, cpu);
  for (Renderer* renderer : {ours.get(), baseline.get()}) {
    if (!renderer) continue;
    std::printf("  %srenderer resident size %.1f MB, peak %.1f MB\n", renderer == ours.get() ? "" : "baseline ",
                renderer->ResidentMB("VmRSS:"), renderer->ResidentMB("VmHWM:"));
  }
  return true;
}

// The baseline renderer's executable from the arguments left after the
// benchmark library's; empty without one. False on an unknown argument.
bool ReadArguments(int argc, char** argv, std::string* baseline_executable) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kBaselineOption, sizeof kBaselineOption - 1) != 0) {
      std::fprintf(stderr, "unknown argument %s; usage: %s [%sPATH] [benchmark options]\n", argv[i], argv[0],
                   kBaselineOption);
      return false;
    }
    *baseline_executable = argv[i] + sizeof kBaselineOption - 1;
  }
  return true;
}

// Starts `ours`, and `baseline` from `baseline_executable` unless empty;
// false, reported, when one does not answer.
bool StartRenderers(const std::string& baseline_executable) {
  baseline.reset();
  ours = std::make_unique<Renderer>();
  if (!ours->Start(KESTRUN_EXECUTABLE)) return false;
  if (baseline_executable.empty()) return true;
  baseline = std::make_unique<Renderer>();
  return baseline->Start(baseline_executable);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::string baseline_executable;
  if (!ReadArguments(argc, argv, &baseline_executable) || !StartRenderers(baseline_executable)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  ReportLatency();
  // New renderers for the allocating phase, so that both start alike: after
  // the memory phase, one that let its garbage pile up holds a hundred
  // megabytes more, which its allocating scripts reuse.
  const bool reported = ReportMemory() && StartRenderers(baseline_executable) && ReportAllocatingScripts();
  baseline.reset();
  ours.reset();
  return reported ? 0 : 1;
}
