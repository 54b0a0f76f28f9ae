// Script evaluations as the browser control makes them, to a real Kestrun
// renderer holding one page:
// - latency: one synchronous evaluation (the request message, the
//   evaluation, the "ExecJS" call and its reply) and one asynchronous
//   evaluation (request and response messages), beside a bare RPC round trip
//   to the same server in the same run (a function the server does not have,
//   answered at once); p50 and p99 of each and their ratio;
// - memory: the renderer's resident size after long runs of evaluations of
//   each kind, and of page calls of an event function, against its size
//   after the first evaluation.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

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
constexpr std::int32_t kBrowser = 1;
constexpr std::int64_t kFrame = 10;
constexpr std::chrono::seconds kPatience{60};

std::unique_ptr<cefshim::host::RendererProcess> kestrun;
platform::WString object_id;
platform::WString service_name;
// The host's event server, whose function "Echo" the page calls.
std::unique_ptr<RPCServer::CRPCServer> event_server;
bench::LatencySamples samples;

CefRefPtr<CefProcessMessage> Request(const char16_t* name, const char16_t* text) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
  const std::uint8_t packed[9] = {0};
  message->GetArgumentList()->SetBinary(0, CefBinaryValue::Create(packed, sizeof packed));
  message->GetArgumentList()->SetString(1, text);
  return message;
}

// One synchronous evaluation through `client`, connected to the renderer's
// service: true when its result came back.
bool EvaluateSync(RPCClient::CRPCClient& client, const CefRefPtr<CefProcessMessage>& request) {
  const platform::WChar* result = nullptr;
  return kestrun->SendProcessMessage(kBrowser, kFrame, request) && client.Call(u"ExecJS", u"", &result, nullptr) == 0 &&
         result != nullptr;
}

// Takes the signal that asynchronous evaluations leave on the renderer's
// service, so that the next "ExecJS" call waits for its own evaluation.
void CollectAsyncSignal(RPCClient::CRPCClient& client) {
  const platform::WChar* result = nullptr;
  client.Call(u"ExecJS", u"", &result, nullptr);
}

// One asynchronous evaluation: true when it succeeded.
bool EvaluateAsync(const CefRefPtr<CefProcessMessage>& request) {
  if (!kestrun->SendProcessMessage(kBrowser, kFrame, request)) return false;
  const auto response = kestrun->WaitForMessage(u"EvaluateJavascriptResponseAsync", kPatience);
  return response && response->message->GetArgumentList()->GetBool(0);
}

void BM_BareRpcCall(benchmark::State& state) {
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(service_name.c_str(), 0);
  samples.Measure(state, "bare rpc call", [&client] {
    const platform::WChar* result = nullptr;
    return client.Call(u"Ping", u"", &result, nullptr) == 0 && result == nullptr;
  });
}

void BM_SyncEvaluation(benchmark::State& state) {
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(service_name.c_str(), 0);
  const CefRefPtr<CefProcessMessage> request = Request(u"EvaluateJavascriptRequestSync", u"counter += 1");
  samples.Measure(state, "sync evaluation", [&client, &request] { return EvaluateSync(client, request); });
}

void BM_AsyncEvaluation(benchmark::State& state) {
  const CefRefPtr<CefProcessMessage> request = Request(u"EvaluateJavascriptRequestAsync", u"counter += 1");
  samples.Measure(state, "async evaluation", [&request] { return EvaluateAsync(request); });
}

BENCHMARK(BM_BareRpcCall)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SyncEvaluation)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AsyncEvaluation)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The renderer's resident size in MB, from /proc; -1 when unreadable.
double RendererResidentMB() {
  std::ifstream status("/proc/" + std::to_string(kestrun->pid()) + "/status");
  std::string field;
  long kilobytes = 0;
  while (status >> field) {
    if (field == "VmRSS:" && status >> kilobytes) return static_cast<double>(kilobytes) / 1024;
  }
  return -1;
}

// Starts the renderer with its page, its service and the host's event
// server, and makes the first evaluation of each kind; `first_resident` is
// the renderer's resident size then.
bool StartKestrun(double* first_resident) {
  std::string error;
  kestrun = cefshim::host::RendererProcess::Start(KESTRUN_EXECUTABLE, {"--type=renderer"}, &error);
  if (!kestrun) {
    std::fprintf(stderr, "Kestrun cannot be started: %s\n", error.c_str());
    return false;
  }
  object_id = u"bench" + platform::Utf8ToUtf16(std::to_string(::getpid()));
  service_name = u"Local\\" + object_id + u"_SECJS_Server";
  event_server = std::make_unique<RPCServer::CRPCServer>(new RPCServer::CFileMappingServerImp());
  event_server->RegisterFunction(u"Echo", new bench::EchoFunction());
  if (event_server->Start((u"Local\\" + object_id + u"_SECTQE_Server").c_str(), 0) != 0) {
    std::fprintf(stderr, "the host's event server cannot start\n");
    return false;
  }
  kestrun->CreateBrowser(kBrowser, kFrame);
  kestrun->LoadPage(kBrowser, kFrame, true, "bench.js", "var counter = 0;");
  kestrun->SendProcessMessage(kBrowser, kFrame, Request(u"SaveWebBrowserObjectID", object_id.c_str()));
  kestrun->SendProcessMessage(kBrowser, kFrame, Request(u"JavascriptRegisterEvent", u"Echo"));
  // The service is up once a first evaluation comes back through it.
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(service_name.c_str(), 0);
  if (!EvaluateSync(client, Request(u"EvaluateJavascriptRequestSync", u"counter")) ||
      !EvaluateAsync(Request(u"EvaluateJavascriptRequestAsync", u"WebBrowser.Echo('x')"))) {
    std::fprintf(stderr, "the renderer does not answer\n%s", kestrun->Output().c_str());
    return false;
  }
  CollectAsyncSignal(client);
  *first_resident = RendererResidentMB();
  return true;
}

// Runs `evaluate` kLongRun times and prints the renderer's resident size
// against `first`; false when an evaluation failed.
template <typename Evaluate>
bool LongRun(const char* what, double first, Evaluate evaluate) {
  for (int i = 0; i < kLongRun; ++i) {
    if (!evaluate()) {
      std::fprintf(stderr, "%s: evaluation %d failed\n", what, i);
      return false;
    }
  }
  const double now = RendererResidentMB();
  std::printf("  after %d more %-40s %7.1f MB (%+.1f MB)\n", kLongRun, what, now, now - first);
  return true;
}

// The memory phase: the renderer's resident size after each long run,
// against `first`, its size after the first evaluations.
bool ReportMemory(double first) {
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(service_name.c_str(), 0);
  const auto async_small = Request(u"EvaluateJavascriptRequestAsync", u"1+1");
  const auto async_text = Request(u"EvaluateJavascriptRequestAsync", u"'x'.repeat(999) + (counter++ % 10)");
  const auto sync_small = Request(u"EvaluateJavascriptRequestSync", u"1+1");
  const auto sync_text = Request(u"EvaluateJavascriptRequestSync", u"'x'.repeat(999) + (counter++ % 10)");
  const auto event_call = Request(u"EvaluateJavascriptRequestAsync", u"WebBrowser.Echo('x'.repeat(100))");
  std::printf("\nrenderer resident size after the first evaluations %.1f MB, after the latency runs %.1f MB\n", first,
              RendererResidentMB());
  if (!LongRun("async evaluations of 1+1", first, [&] { return EvaluateAsync(async_small); }) ||
      !LongRun("async evaluations of a 1,000-char text", first, [&] { return EvaluateAsync(async_text); })) {
    return false;
  }
  CollectAsyncSignal(client);
  return LongRun("sync evaluations of 1+1", first, [&] { return EvaluateSync(client, sync_small); }) &&
         LongRun("sync evaluations of a 1,000-char text", first, [&] { return EvaluateSync(client, sync_text); }) &&
         LongRun("event function calls from the page", first, [&] { return EvaluateAsync(event_call); });
}

}  // namespace

int main(int argc, char** argv) {
  double first_resident = 0;
  if (!StartKestrun(&first_resident)) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  samples.Report("round trips to one Kestrun renderer", "sync evaluation", "bare rpc call");
  const bool memory_reported = ReportMemory(first_resident);
  kestrun.reset();
  event_server.reset();
  return memory_reported ? 0 : 1;
}
