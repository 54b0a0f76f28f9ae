// The writer's loading and grafting beside raw RapidJSON, in one run, on
// the nativejson benchmark files from the test-data folder, given as
// UTF-16 texts (see side_by_side.h):
//   - load: LoadFromString through the chain, beside RapidJSON parsing the
//     same text into a UTF-16 document with the same number reading and
//     its default recursive parser;
//   - graft: InsertTextByHandle into a root array, beside RapidJSON parsing
//     the text into a document of its own and copying its root into the
//     target with its (recursive) copy.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "platform/unicode.h"
#include "side_by_side.h"
#include "tqjson/json_document.h"
#include "tqjson/json_generator.h"
#include "tqjson/json_generator_adapter.h"
#include "tqjson/rapid_json_generator.h"

namespace {

using namespace TQJSON;
using namespace tqjson_bench;

constexpr unsigned kRawParseFlags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseNanAndInfFlag;

std::map<std::string, std::u16string> texts;

IJsonGenerator* NewWriter() {
  auto* adapter = new CJsonGeneratorAdapter();
  adapter->SetImplementation(new CRapidJsonGenerator());
  return new CJsonGenerator(adapter);
}

void Load(benchmark::State& state, const std::string& file) {
  const std::u16string& text = texts[file];
  const auto raw = [&] {
    JsonDocument document;
    document.Parse<kRawParseFlags>(text.c_str());
  };
  const auto library = [&] {
    IJsonGenerator* writer = NewWriter();
    JsonHandle root = 0;
    if (writer->LoadFromString(text.c_str(), &root) != kJsonSuccess) state.SkipWithError("not loaded");
    writer->Release();
  };
  Compare(state, "load " + file, raw, library);
}

void Graft(benchmark::State& state, const std::string& file) {
  const std::u16string& text = texts[file];
  const auto raw = [&] {
    JsonDocument target(rapidjson::kArrayType);
    JsonDocument parsed;
    parsed.Parse<kRawParseFlags>(text.c_str());
    target.PushBack(JsonValue(parsed, target.GetAllocator()), target.GetAllocator());
  };
  const auto library = [&] {
    IJsonGenerator* writer = NewWriter();
    JsonHandle root = 0;
    writer->CreateRootArrayHandle(&root);
    if (writer->InsertTextByHandle(root, text.c_str(), &root) != kJsonSuccess) state.SkipWithError("not grafted");
    writer->Release();
  };
  Compare(state, "graft " + file, raw, library);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const std::string file : kFiles) {
    if (!ReadFile(file)) continue;
    texts[file] = platform::Utf8ToUtf16(contents[file]);
    benchmark::RegisterBenchmark(("load " + file).c_str(), Load, file)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("graft " + file).c_str(), Graft, file)->UseManualTime()->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const char* operation : {"load", "graft"}) {
    for (const char* file : kFiles) PrintRatio(operation, file);
  }
  return 0;
}
