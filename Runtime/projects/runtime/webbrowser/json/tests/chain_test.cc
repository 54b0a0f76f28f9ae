// The facade, adapter and implementation chain of both sides, with a
// recording implementation at the end.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "recording_implementations.h"
#include "tqjson/json_generator.h"
#include "tqjson/json_generator_adapter.h"
#include "tqjson/json_parser.h"
#include "tqjson/json_parser_adapter.h"

namespace TQJSON {
namespace {

IJsonParser* RecordingParserChain(CallLog* log) {
  auto* adapter = new CJsonParserAdapter();
  adapter->SetImplementation(new RecordingParser(log));
  return new CJsonParser(adapter);
}

IJsonGenerator* RecordingGeneratorChain(CallLog* log) {
  auto* adapter = new CJsonGeneratorAdapter();
  adapter->SetImplementation(new RecordingGenerator(log));
  return new CJsonGenerator(adapter);
}

TEST(ParserChain, ForwardsEachOperationWithItsArgumentsAndResult) {
  CallLog log;
  log.answer = 42;
  IJsonParser* parser = RecordingParserChain(&log);
  std::int32_t value = 0;
  const char16_t* text = nullptr;
  EXPECT_EQ(parser->GetIntByPath(u"/a/1", &value), 42);
  EXPECT_EQ(parser->GetChild(7, -1, nullptr, &value), 42);
  EXPECT_EQ(parser->GetMemberJsonText(9, u"k", &text), 42);
  EXPECT_EQ(parser->HasMemberByPath(u"/", u"Name"), 42);
  EXPECT_EQ(log.calls, (std::vector<std::string>{"GetIntByPath(/a/1,ptr)", "GetChild(7,-1,null,ptr)",
                                                 "GetMemberJsonText(9,k,ptr)", "HasMemberByPath(/,Name)"}));
  parser->Release();
  EXPECT_EQ(log.calls.back(), "Release");
}

TEST(ParserChain, EveryLoadStartsFromANewImplementation) {
  CallLog log;
  IJsonParser* parser = RecordingParserChain(&log);
  parser->LoadFromString(nullptr);
  // The recording implementation was released before the load and sees
  // nothing of it or of later calls.
  EXPECT_EQ(log.calls, std::vector<std::string>{"Release"});
  std::uint32_t offset = 7;
  EXPECT_EQ(parser->GetErrorOffset(&offset), 1);
  EXPECT_EQ(offset, 0u);
  EXPECT_EQ(log.calls.size(), 1u);
  parser->Release();
}

TEST(ParserChain, HasErrorAnswersExactlyZeroOrOne) {
  CallLog log;
  IJsonParser* parser = RecordingParserChain(&log);
  log.answer = 7;
  EXPECT_EQ(parser->HasError(), 1);
  log.answer = 0;
  EXPECT_EQ(parser->HasError(), 0);
  parser->Release();
}

TEST(ParserChain, GuardTurnsExceptionsIntoResultsAndTheChainStaysUsable) {
  CallLog log;
  IJsonParser* parser = RecordingParserChain(&log);
  log.throws = true;
  std::int32_t value = 0;
  EXPECT_EQ(parser->GetInt(1, &value), kJsonExceptionCaught);
  parser->Release();

  CallLog truth_log;
  IJsonParser* tests = RecordingParserChain(&truth_log);
  truth_log.throws = true;
  // Existence tests answer false rather than a truthy -5.
  EXPECT_EQ(tests->PathExists(u"/"), 0);
  EXPECT_EQ(tests->HasMemberByHandle(1, u"a"), 0);
  EXPECT_EQ(tests->HasMemberByPath(u"/", u"a"), 0);
  truth_log.throws = false;
  EXPECT_EQ(tests->PathExists(u"/"), 1);
  tests->Release();
}

TEST(ParserChain, MissingLinksFailInsteadOfCrashing) {
  IJsonParser* no_adapter = new CJsonParser(nullptr);
  std::int32_t value = 0;
  EXPECT_EQ(no_adapter->GetInt(1, &value), JSONFUN_FAILED);
  no_adapter->Release();

  auto* adapter = new CJsonParserAdapter(0);
  EXPECT_EQ(adapter->flags(), 0u);
  IJsonParser* no_implementation = new CJsonParser(adapter);
  EXPECT_EQ(no_implementation->GetInt(1, &value), JSONFUN_FAILED);
  EXPECT_EQ(no_implementation->HasError(), 0);
  no_implementation->Release();
}

TEST(GeneratorChain, RootCreationStartsFromANewImplementation) {
  CallLog log;
  IJsonGenerator* generator = RecordingGeneratorChain(&log);
  JsonHandle root = 0;
  EXPECT_EQ(generator->CreateRootObjectHandle(&root), 1);
  EXPECT_EQ(root, 1);
  EXPECT_EQ(log.calls, std::vector<std::string>{"Release"});
  generator->Release();
}

TEST(GeneratorChain, IntegralFloatingValuesByItemOrHandleBecomeIntegers) {
  CallLog log;
  IJsonGenerator* generator = RecordingGeneratorChain(&log);
  JsonItem item = 0;
  JsonHandle handle = 0;
  const double two_to_63 = 9223372036854775808.0;
  generator->AddDoubleMember(5, u"k", 3.0, &item);
  generator->AppendDouble(5, -0.0, &item);
  generator->AppendDouble(5, -two_to_63, &item);
  generator->AppendDouble(5, two_to_63, &item);
  generator->AppendDouble(5, 0.5, &item);
  generator->AppendDouble(5, std::numeric_limits<double>::infinity(), &item);
  generator->AppendDouble(5, std::nan(""), &item);
  generator->AddFloatMember(5, u"f", 2.0f, &item);
  generator->AppendFloat(5, 2.5f, &item);
  generator->AddDoubleMemberByHandle(3, u"h", 7.0, &handle);
  generator->AppendFloatByHandle(3, 1.0f, &handle);
  // The path forms keep floating point.
  generator->AppendDoubleByPath(u"/", 3.0, &handle);
  generator->AddFloatMemberByPath(u"/", u"p", 3.0f, &handle);
  EXPECT_EQ(log.calls, (std::vector<std::string>{
                           "AddInt64Member(5,k,3,ptr)",
                           "AppendInt64(5,0,ptr)",
                           "AppendInt64(5,-9223372036854775808,ptr)",
                           "AppendDouble(5,9.22337e+18,ptr)",
                           "AppendDouble(5,0.5,ptr)",
                           "AppendDouble(5,inf,ptr)",
                           "AppendDouble(5,nan,ptr)",
                           "AddInt64Member(5,f,2,ptr)",
                           "AppendFloat(5,2.5,ptr)",
                           "AddInt64MemberByHandle(3,h,7,ptr)",
                           "AppendInt64ByHandle(3,1,ptr)",
                           "AppendDoubleByPath(/,3,ptr)",
                           "AddFloatMemberByPath(/,p,3,ptr)",
                       }));
  generator->Release();
}

TEST(GeneratorChain, FormattedSavingIsAlwaysAskedForCompactText) {
  CallLog log;
  IJsonGenerator* generator = RecordingGeneratorChain(&log);
  generator->SaveToFileFormatted(u"out.json", 2, 1);
  EXPECT_EQ(log.calls, std::vector<std::string>{"SaveToFileFormatted(out.json,2,0)"});
  generator->Release();
}

TEST(GeneratorChain, GuardTurnsExceptionsIntoMinusFive) {
  CallLog log;
  IJsonGenerator* generator = RecordingGeneratorChain(&log);
  log.throws = true;
  JsonItem item = 0;
  EXPECT_EQ(generator->AddIntMember(1, u"a", 1, &item), kJsonExceptionCaught);
  EXPECT_EQ(generator->AppendDouble(1, 1.0, &item), kJsonExceptionCaught);
  log.throws = false;
  EXPECT_EQ(generator->AddIntMember(1, u"a", 1, &item), 1);
  generator->Release();
  EXPECT_EQ(log.calls.back(), "Release");
}

}  // namespace
}  // namespace TQJSON
