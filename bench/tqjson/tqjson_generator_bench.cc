// The JSON generator beside raw RapidJSON, in one run, on one document: a
// root object of 10000 members, each an object {"id":i,"name":"item i",
// "score":i/2}.
//   - build it through the chain by item (the form Kestrun uses) and by
//     handle, then take its UTF-16 text, beside RapidJSON's AddMember and
//     Writer on a UTF-16 document;
//   - save it as UTF-8 bytes beside RapidJSON's transcoding Writer.
// The best time of each is kept and the ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "tqjson/json_document.h"
#include "tqjson/json_generator.h"
#include "tqjson/json_generator_adapter.h"
#include "tqjson/rapid_json_generator.h"
// After the configuration in json_document.h.
#include <rapidjson/writer.h>

namespace {

using namespace TQJSON;
using Clock = std::chrono::steady_clock;

constexpr int kMembers = 10000;

std::map<std::string, double> best_seconds;

void Record(benchmark::State& state, const std::string& name, Clock::time_point start) {
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  state.SetIterationTime(seconds);
  auto [entry, added] = best_seconds.emplace(name, seconds);
  if (!added && seconds < entry->second) entry->second = seconds;
}

std::u16string NameOf(int i) { return u"item " + std::u16string(1, u'0' + i % 10) + std::u16string(i % 7, u'x'); }
std::u16string KeyOf(int i) { return u"member" + std::u16string(1, u'a' + i % 26) + std::u16string(1, u'0' + i % 10); }

IJsonGenerator* NewChain() {
  auto* adapter = new CJsonGeneratorAdapter();
  adapter->SetImplementation(new CRapidJsonGenerator());
  return new CJsonGenerator(adapter);
}

void BuildByItem(IJsonGenerator* generator) {
  JsonItem root = 0, member = 0, value = 0;
  generator->CreateRootObject(&root);
  for (int i = 0; i < kMembers; ++i) {
    generator->AddObjectMember(root, KeyOf(i).c_str(), &member);
    generator->AddIntMember(member, u"id", i, &value);
    generator->AddStringMember(member, u"name", NameOf(i).c_str(), &value);
    generator->AddDoubleMember(member, u"score", i / 2.0, &value);
  }
}

void BuildByHandle(IJsonGenerator* generator) {
  JsonHandle root = 0, member = 0, value = 0;
  generator->CreateRootObjectHandle(&root);
  for (int i = 0; i < kMembers; ++i) {
    generator->AddObjectMemberByHandle(root, KeyOf(i).c_str(), &member);
    generator->AddIntMemberByHandle(member, u"id", i, &value);
    generator->AddStringMemberByHandle(member, u"name", NameOf(i).c_str(), &value);
    generator->AddDoubleMemberByHandle(member, u"score", i / 2.0, &value);
  }
}

void BuildRaw(JsonDocument& document) {
  auto& allocator = document.GetAllocator();
  document.SetObject();
  for (int i = 0; i < kMembers; ++i) {
    const std::u16string key = KeyOf(i), name = NameOf(i);
    JsonValue member(rapidjson::kObjectType);
    member.AddMember(u"id", i, allocator);
    member.AddMember(u"name", JsonValue(name.c_str(), static_cast<rapidjson::SizeType>(name.size()), allocator),
                     allocator);
    member.AddMember(u"score", i / 2.0, allocator);
    document.AddMember(JsonValue(key.c_str(), static_cast<rapidjson::SizeType>(key.size()), allocator), member,
                       allocator);
  }
}

void BM_RapidJsonBuildAndText(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = Clock::now();
    JsonDocument document;
    BuildRaw(document);
    JsonTextBuffer text;
    rapidjson::Writer<JsonTextBuffer, JsonEncodingUtf16, JsonEncodingUtf16, JsonAllocator> writer(text);
    document.Accept(writer);
    benchmark::DoNotOptimize(text.GetString());
    Record(state, "raw text", start);
  }
}

template <void (*Build)(IJsonGenerator*)>
void BM_GeneratorBuildAndText(benchmark::State& state, const char* name) {
  for (auto _ : state) {
    const auto start = Clock::now();
    IJsonGenerator* generator = NewChain();
    Build(generator);
    const char16_t* text = nullptr;
    generator->GetJsonText(&text);
    benchmark::DoNotOptimize(text);
    generator->Release();
    Record(state, name, start);
  }
}

void BM_GeneratorByItem(benchmark::State& state) { BM_GeneratorBuildAndText<BuildByItem>(state, "item text"); }
void BM_GeneratorByHandle(benchmark::State& state) { BM_GeneratorBuildAndText<BuildByHandle>(state, "handle text"); }

void BM_RapidJsonUtf8(benchmark::State& state) {
  JsonDocument document;
  BuildRaw(document);
  for (auto _ : state) {
    const auto start = Clock::now();
    rapidjson::GenericStringBuffer<rapidjson::UTF8<>, JsonAllocator> bytes;
    rapidjson::Writer<decltype(bytes), JsonEncodingUtf16, rapidjson::UTF8<>, JsonAllocator> writer(bytes);
    document.Accept(writer);
    benchmark::DoNotOptimize(bytes.GetString());
    Record(state, "raw utf-8", start);
  }
}

void BM_GeneratorUtf8(benchmark::State& state) {
  IJsonGenerator* generator = NewChain();
  BuildByItem(generator);
  for (auto _ : state) {
    const auto start = Clock::now();
    const std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
    generator->SaveToBuffer(&data, &size, kJsonEncodingUtf8);
    benchmark::DoNotOptimize(data);
    Record(state, "generator utf-8", start);
  }
  generator->Release();
}

BENCHMARK(BM_RapidJsonBuildAndText)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneratorByItem)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneratorByHandle)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RapidJsonUtf8)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeneratorUtf8)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const auto ratio = [](const char* figure, const char* baseline) {
    if (best_seconds.count(figure) == 0 || best_seconds.count(baseline) == 0) return;
    std::printf("%s %.2f ms, %s %.2f ms, ratio %.2f\n", figure, best_seconds[figure] * 1e3, baseline,
                best_seconds[baseline] * 1e3, best_seconds[figure] / best_seconds[baseline]);
  };
  ratio("item text", "raw text");
  ratio("handle text", "raw text");
  ratio("generator utf-8", "raw utf-8");
  return 0;
}
