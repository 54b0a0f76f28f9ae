// The JSON reader beside raw RapidJSON, in one run, on the nativejson
// benchmark files (canada.json: numbers, citm_catalog.json: structure,
// twitter.json: strings), from the test-data folder:
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

#include <cstdint>
#include <string>

#include "side_by_side.h"
#include "tqjson/json_document.h"
#include "tqjson/json_parser.h"
#include "tqjson/json_parser_adapter.h"
#include "tqjson/rapid_json_parser.h"
// After the configuration in json_document.h.
#include <rapidjson/writer.h>

namespace {

using namespace TQJSON;
using namespace tqjson_bench;

constexpr unsigned kRawParseFlags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseNanAndInfFlag;
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
  if (!ReadFile(file)) return;
  benchmark::RegisterBenchmark(("parse " + file).c_str(), Parse, file)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("serialise " + file).c_str(), Serialise, file)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
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
