// The JSON reader beside raw RapidJSON, in one run, on the nativejson
// benchmark files (canada.json: numbers, citm_catalog.json: structure,
// twitter.json: strings), from the shared data folder:
//   - parse: LoadFromBuffer through the chain, beside RapidJSON parsing the
//     same UTF-8 bytes into a UTF-16 document with the same number reading
//     (full precision, NaN and infinities) and its default recursive parser;
//   - serialise: the loaded document as compact UTF-16 JSON text through the
//     reader's text operation, beside RapidJSON's Writer on the same
//     document.
// Both run in turn in every iteration and the best time of each is kept;
// the figures (MB of the file per second) and the ratios are printed at
// the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>

#include "testing/shared_data.h"
#include "tqjson/json_document.h"
#include "tqjson/json_parser.h"
#include "tqjson/json_parser_adapter.h"
#include "tqjson/rapid_json_parser.h"
// After the configuration in json_document.h.
#include <rapidjson/writer.h>

namespace {

using namespace TQJSON;
using Clock = std::chrono::steady_clock;

constexpr unsigned kRawParseFlags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseNanAndInfFlag;
const char* const kFiles[] = {"canada.json", "citm_catalog.json", "twitter.json"};

struct Best {
  double library = 1e9;
  double raw = 1e9;
};

std::map<std::string, Best> best;  // by "<operation> <file>"
std::map<std::string, std::string> contents;

double SecondsOf(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs RapidJSON and the library in turn in every iteration, so that both
// see the same machine load, and keeps the best time of each. The
// benchmark's own figure is the library's time.
void Compare(benchmark::State& state, const std::string& name, const std::function<void()>& raw,
             const std::function<void()>& library) {
  Best& kept = best[name];
  for (auto _ : state) {
    kept.raw = std::min(kept.raw, SecondsOf(raw));
    const double seconds = SecondsOf(library);
    kept.library = std::min(kept.library, seconds);
    state.SetIterationTime(seconds);
  }
}

IJsonParser* NewReader() {
  auto* adapter = new CJsonParserAdapter();
  adapter->SetImplementation(new CRapidJsonParser());
  return new CJsonParser(adapter);
}

const char16_t* TreeText(IJsonParser* reader) {
  const char16_t* text = nullptr;
  if (reader->GetObjectJsonTextByPath(u"/", &text) != kJsonSuccess) reader->GetArrayJsonTextByPath(u"/", &text);
  return text;
}

void Parse(benchmark::State& state, const std::string& file) {
  const std::string& bytes = contents[file];
  const auto raw = [&] {
    JsonDocument document;
    document.Parse<kRawParseFlags, rapidjson::UTF8<>>(bytes.data(), bytes.size());
    if (document.HasParseError()) state.SkipWithError("RapidJSON does not load the file");
  };
  const auto library = [&] {
    IJsonParser* reader = NewReader();
    if (reader->LoadFromBuffer(bytes.data(), static_cast<std::uint32_t>(bytes.size())) != 1) {
      state.SkipWithError("the library does not load the file");
    }
    reader->Release();
  };
  Compare(state, "parse " + file, raw, library);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void Serialise(benchmark::State& state, const std::string& file) {
  const std::string& bytes = contents[file];
  JsonDocument document;
  document.Parse<kRawParseFlags, rapidjson::UTF8<>>(bytes.data(), bytes.size());
  JsonTextBuffer text;
  IJsonParser* reader = NewReader();
  reader->LoadFromBuffer(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  const auto raw = [&] {
    text.Clear();
    rapidjson::Writer<JsonTextBuffer, JsonEncodingUtf16, JsonEncodingUtf16, JsonAllocator> writer(text);
    document.Accept(writer);
    benchmark::DoNotOptimize(text.GetString());
  };
  const auto library = [&] { benchmark::DoNotOptimize(TreeText(reader)); };
  Compare(state, "serialise " + file, raw, library);
  reader->Release();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void RegisterFile(const std::string& file) {
  const std::string path = lumarine_testing::SharedDataPath("nativejson/" + file);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::printf("%s; skipped\n", lumarine_testing::MissingSharedData(path).c_str());
    return;
  }
  contents[file].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  benchmark::RegisterBenchmark(("parse " + file).c_str(), Parse, file)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("serialise " + file).c_str(), Serialise, file)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

void PrintRatio(const std::string& operation, const std::string& file) {
  const auto found = best.find(operation + " " + file);
  if (found == best.end()) return;
  const double megabytes = static_cast<double>(contents[file].size()) / 1e6;
  std::printf("%-9s %-17s library %7.1f MB/s, raw RapidJSON %7.1f MB/s, ratio %.2f\n", operation.c_str(),
              file.c_str(), megabytes / found->second.library, megabytes / found->second.raw,
              found->second.library / found->second.raw);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const char* file : kFiles) RegisterFile(file);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const char* operation : {"parse", "serialise"}) {
    for (const char* file : kFiles) PrintRatio(operation, file);
  }
  return 0;
}
