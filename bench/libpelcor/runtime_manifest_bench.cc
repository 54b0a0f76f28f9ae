// A runtime manifest of 100000 files (100 modules of 1000), loaded and
// saved through libpelcor.so's IRuntimeManifest beside raw RapidJSON doing
// the same work on the same file: parsing UTF-8 into a UTF-16 document, and
// writing it back as compact UTF-8. The library saves by atomic replacement
// (temporary file, fsync, rename), so saving is also measured beside raw
// RapidJSON followed by the same replacement. Ratios are printed at the end.
#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <rapidjson/encodedstream.h>
#include <rapidjson/filereadstream.h>
#include <rapidjson/filewritestream.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "libpelcor/libpelcor.h"
#include "platform/files.h"
#include "platform/module.h"
#include "platform/unicode.h"

namespace {

using Clock = std::chrono::steady_clock;
using Document = rapidjson::GenericDocument<rapidjson::UTF16<char16_t>>;

constexpr int kModules = 100;
constexpr int kFilesPerModule = 1000;

struct Fixture {
  std::unique_ptr<platform::Module> library;
  ICloudConfigManager* manager = nullptr;
  IRuntimeManifest* manifest = nullptr;
  std::u16string folder;
  std::u16string input;
  std::u16string output;
  std::size_t bytes = 0;
};
Fixture fixture;

// The best time of each figure, by name.
std::map<std::string, double> best_seconds;

void Record(benchmark::State& state, const std::string& name, Clock::time_point start) {
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  state.SetIterationTime(seconds);
  auto [entry, added] = best_seconds.try_emplace(name, seconds);
  if (!added) entry->second = std::min(entry->second, seconds);
}

std::string ManifestText() {
  std::string json = R"({"version":"22.0.1","format":"1","modules":[)";
  for (int m = 0; m < kModules; ++m) {
    const std::string module = "module" + std::to_string(m);
    json += (m ? "," : "") + std::string(R"({"name":")") + module + R"(","groupid":)" + std::to_string(m % 7) +
            R"(,"clienttype":1,"option":true,"description":"Runtime module )" + module + R"(","files":[)";
    for (int f = 0; f < kFilesPerModule; ++f) {
      json += (f ? "," : "") + std::string(R"({"name":"file)") + std::to_string(f) + R"(.dll","size":)" +
              std::to_string(100000 + f * 37) + R"(,"path":"bin\\)" + module + R"(\\sub","action":"copy",)" +
              R"("hashcode":"9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08",)" +
              R"("isneedextract":false,"packagename":""})";
    }
    json += "]}";
  }
  json += R"(],"groups":[{"groupid":0,"name":"base","dbi":false},{"groupid":1,"name":"data","dbi":true}]})";
  return json;
}

bool SetUp() {
  std::string folder = platform::NativePath(platform::TempFolder()) + "/pelcor-bench-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) return false;
  fixture.folder = platform::Utf8ToUtf16(folder);
  fixture.input = platform::JoinPath(fixture.folder, u"runtime.json");
  fixture.output = platform::JoinPath(fixture.folder, u"saved.json");
  const std::string text = ManifestText();
  fixture.bytes = text.size();
  if (!platform::ReplaceFileAtomically(fixture.input, text)) return false;
  std::string error;
  fixture.library = platform::Module::Load(platform::Utf8ToUtf16(LUMARINE_BINARY_DIR "/libpelcor.so"), &error);
  if (!fixture.library) {
    std::fprintf(stderr, "cannot load libpelcor.so: %s\n", error.c_str());
    return false;
  }
  const auto create = fixture.library->Function<CreateCloudConfigManagerFn>("CreateCloudConfigManager");
  fixture.manager = create != nullptr ? create() : nullptr;
  fixture.manifest = fixture.manager != nullptr ? fixture.manager->CreateRuntimeManifest() : nullptr;
  return fixture.manifest != nullptr;
}

void TearDown() {
  if (fixture.manifest != nullptr) fixture.manifest->Release();
  if (fixture.manager != nullptr) fixture.manager->Release();
  fixture.library.reset();
  std::error_code ignored;
  std::filesystem::remove_all(platform::NativePath(fixture.folder), ignored);
}

// Raw RapidJSON: the file through a read stream, any UTF encoding, into a
// UTF-16 document; "modules" must be an array.
bool RapidJsonLoad(Document& document) {
  std::FILE* file = std::fopen(platform::NativePath(fixture.input).c_str(), "rb");
  if (file == nullptr) return false;
  char buffer[65536];
  rapidjson::FileReadStream stream(file, buffer, sizeof buffer);
  rapidjson::AutoUTFInputStream<unsigned, rapidjson::FileReadStream> input(stream);
  document.ParseStream<0, rapidjson::AutoUTF<unsigned>>(input);
  std::fclose(file);
  if (document.HasParseError() || !document.IsObject()) return false;
  const auto modules = document.FindMember(u"modules");
  return modules != document.MemberEnd() && modules->value.IsArray();
}

void BM_LoadPelcor(benchmark::State& state) {
  std::u16string error;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!fixture.manifest->Load(fixture.input.c_str(), error)) state.SkipWithError("Load failed");
    Record(state, "load pelcor", start);
  }
  state.SetBytesProcessed(state.iterations() * fixture.bytes);
}

void BM_LoadRapidJson(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = Clock::now();
    Document document;
    if (!RapidJsonLoad(document)) state.SkipWithError("parse failed");
    Record(state, "load rapidjson", start);
  }
  state.SetBytesProcessed(state.iterations() * fixture.bytes);
}

void BM_SavePelcor(benchmark::State& state) {
  std::u16string error;
  if (!fixture.manifest->Load(fixture.input.c_str(), error)) state.SkipWithError("Load failed");
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!fixture.manifest->Save(fixture.output.c_str())) state.SkipWithError("Save failed");
    Record(state, "save pelcor", start);
  }
  state.SetBytesProcessed(state.iterations() * fixture.bytes);
}

void BM_SaveRapidJson(benchmark::State& state) {
  Document document;
  if (!RapidJsonLoad(document)) state.SkipWithError("parse failed");
  for (auto _ : state) {
    const auto start = Clock::now();
    std::FILE* file = std::fopen(platform::NativePath(fixture.output).c_str(), "wb");
    char buffer[65536];
    rapidjson::FileWriteStream stream(file, buffer, sizeof buffer);
    rapidjson::Writer<rapidjson::FileWriteStream, rapidjson::UTF16<char16_t>, rapidjson::UTF8<>> writer(stream);
    if (!document.Accept(writer)) state.SkipWithError("write failed");
    stream.Flush();
    std::fclose(file);
    Record(state, "save rapidjson", start);
  }
  state.SetBytesProcessed(state.iterations() * fixture.bytes);
}

void BM_SaveRapidJsonAtomic(benchmark::State& state) {
  Document document;
  if (!RapidJsonLoad(document)) state.SkipWithError("parse failed");
  for (auto _ : state) {
    const auto start = Clock::now();
    rapidjson::StringBuffer text;
    rapidjson::Writer<rapidjson::StringBuffer, rapidjson::UTF16<char16_t>, rapidjson::UTF8<>> writer(text);
    if (!document.Accept(writer) ||
        !platform::ReplaceFileAtomically(fixture.output, std::string_view(text.GetString(), text.GetSize()))) {
      state.SkipWithError("write failed");
    }
    Record(state, "save rapidjson atomic", start);
  }
  state.SetBytesProcessed(state.iterations() * fixture.bytes);
}

BENCHMARK(BM_LoadRapidJson)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPelcor)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveRapidJson)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveRapidJsonAtomic)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePelcor)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

double Best(const std::string& name) {
  const auto found = best_seconds.find(name);
  return found != best_seconds.end() ? found->second : 0.0;
}

void PrintRatio(const char* what, const std::string& ours, const std::string& baseline) {
  const double a = Best(ours);
  const double b = Best(baseline);
  if (a > 0 && b > 0) {
    std::printf("%s (best of 10): %s %.1f ms, %s %.1f ms, ratio %.2f\n", what, ours.c_str(), a * 1e3,
                baseline.c_str(), b * 1e3, a / b);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!SetUp()) {
    std::fprintf(stderr, "set-up failed\n");
    TearDown();
    return 1;
  }
  std::printf("runtime manifest: %d files, %.1f MB\n", kModules * kFilesPerModule, fixture.bytes / 1e6);
  benchmark::RunSpecifiedBenchmarks();
  PrintRatio("load", "load pelcor", "load rapidjson");
  PrintRatio("save", "save pelcor", "save rapidjson");
  PrintRatio("save", "save pelcor", "save rapidjson atomic");
  TearDown();
  benchmark::Shutdown();
  return 0;
}
