// One synchronous script evaluation as the browser control makes it (the
// request message to a real Kestrun, the evaluation, the "ExecJS" call and
// its reply) beside a bare RPC round trip to the same server in the same
// run (a function the server does not have, answered at once). Prints p50
// and p99 of each and their ratio.
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/latency_samples.h"
#include "cefshim/host/renderer_process.h"
#include "platform/unicode.h"
#include "rpc/file_mapping_client.h"

namespace {

constexpr int kSamples = 5000;
constexpr std::int32_t kBrowser = 1;
constexpr std::int64_t kFrame = 10;

std::unique_ptr<cefshim::host::RendererProcess> kestrun;
platform::WString service_name;
bench::LatencySamples samples;

CefRefPtr<CefProcessMessage> Request(const char16_t* name, const char16_t* text) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
  const std::uint8_t packed[9] = {0};
  message->GetArgumentList()->SetBinary(0, CefBinaryValue::Create(packed, sizeof packed));
  message->GetArgumentList()->SetString(1, text);
  return message;
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
  samples.Measure(state, "sync evaluation", [&client, &request] {
    const platform::WChar* result = nullptr;
    return kestrun->SendProcessMessage(kBrowser, kFrame, request) &&
           client.Call(u"ExecJS", u"", &result, nullptr) == 0 && result != nullptr;
  });
}

BENCHMARK(BM_BareRpcCall)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SyncEvaluation)->Iterations(kSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);

bool StartKestrun() {
  std::string error;
  kestrun = cefshim::host::RendererProcess::Start(KESTRUN_EXECUTABLE, {"--type=renderer"}, &error);
  if (!kestrun) {
    std::fprintf(stderr, "Kestrun cannot be started: %s\n", error.c_str());
    return false;
  }
  const platform::WString identifier = u"bench" + platform::Utf8ToUtf16(std::to_string(::getpid()));
  service_name = u"Local\\" + identifier + u"_SECJS_Server";
  kestrun->CreateBrowser(kBrowser, kFrame);
  kestrun->LoadPage(kBrowser, kFrame, true, "bench.js", "var counter = 0;");
  kestrun->SendProcessMessage(kBrowser, kFrame, Request(u"SaveWebBrowserObjectID", identifier.c_str()));
  // The service is up once a first evaluation comes back through it.
  RPCClient::CRPCClient client(new RPCClient::CFileMappingClient());
  client.Connect(service_name.c_str(), 0);
  kestrun->SendProcessMessage(kBrowser, kFrame, Request(u"EvaluateJavascriptRequestSync", u"counter"));
  const platform::WChar* result = nullptr;
  if (client.Call(u"ExecJS", u"", &result, nullptr) != 0 || result == nullptr) {
    std::fprintf(stderr, "the renderer's service does not answer\n%s", kestrun->Output().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!StartKestrun()) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  samples.Report("round trips to one Kestrun renderer", "sync evaluation", "bare rpc call");
  kestrun.reset();
  return 0;
}
