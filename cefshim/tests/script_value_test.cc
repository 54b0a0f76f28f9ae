// CefV8Value's rules, CefV8Context and native functions, in-process on a
// script engine of the test's own thread.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "cef_string_printer.h"
#include "cef_v8.h"
#include "script/script_engine.h"
#include "script/script_interrupt.h"
#include "script/v8_context_impl.h"

namespace cefshim::script {
namespace {

class ScriptValueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    engine_ = ScriptEngine::Create(&error);
    ASSERT_TRUE(engine_) << error;
    context_ = engine_->NewContext(nullptr, nullptr);
    ASSERT_TRUE(context_);
    ASSERT_TRUE(context_->Enter());
  }
  void TearDown() override {
    if (context_) context_->Exit();
    context_ = nullptr;
    engine_.reset();
  }

  CefRefPtr<CefV8Value> Eval(const std::string& code) {
    CefRefPtr<CefV8Value> result;
    CefRefPtr<CefV8Exception> exception;
    EXPECT_TRUE(context_->Eval(code, "test.js", 1, result, exception))
        << code << ": " << (exception ? exception->GetMessage().ToString() : "no exception");
    return result ? result : CefV8Value::CreateUndefined();
  }

  CefRefPtr<CefV8Exception> EvalFailure(const std::string& code, int start_line = 1) {
    CefRefPtr<CefV8Value> result;
    CefRefPtr<CefV8Exception> exception;
    EXPECT_FALSE(context_->Eval(code, "test.js", start_line, result, exception)) << code;
    EXPECT_FALSE(result);
    return exception;
  }

  std::unique_ptr<ScriptEngine> engine_;
  CefRefPtr<V8ContextImpl> context_;
};

TEST_F(ScriptValueTest, NumbersAreClassifiedByValue) {
  struct Case {
    const char* code;
    bool is_int;
    bool is_uint;
  };
  const Case cases[] = {
      {"2", true, true},          {"2.0", true, true},         {"10 / 2", true, true},
      {"-1", true, false},        {"-2147483648", true, false}, {"2147483647", true, true},
      {"2.5", false, false},      {"-0", false, false},         {"Math.pow(2, 31)", false, true},
      {"4294967295", false, true}, {"Math.pow(2, 32)", false, false}, {"Math.pow(2, 40)", false, false},
      {"NaN", false, false},      {"Infinity", false, false},   {"-Infinity", false, false},
  };
  for (const Case& c : cases) {
    CefRefPtr<CefV8Value> value = Eval(c.code);
    EXPECT_EQ(value->IsInt(), c.is_int) << c.code;
    EXPECT_EQ(value->IsUInt(), c.is_uint) << c.code;
    EXPECT_TRUE(value->IsDouble()) << c.code;
    EXPECT_FALSE(value->IsObject() || value->IsString() || value->IsBool()) << c.code;
  }
  EXPECT_EQ(Eval("-7")->GetIntValue(), -7);
  EXPECT_EQ(Eval("Math.pow(2, 31)")->GetUIntValue(), 2147483648u);
  EXPECT_EQ(Eval("Math.pow(2, 31)")->GetIntValue(), 0);
  EXPECT_TRUE(std::signbit(Eval("-0")->GetDoubleValue()));
  EXPECT_TRUE(std::isnan(Eval("NaN")->GetDoubleValue()));
}

TEST_F(ScriptValueTest, EveryKindPassesItsOwnTestsOnly) {
  auto kinds = [](CefRefPtr<CefV8Value> v) {
    std::string k;
    for (const auto& [flag, letter] : std::vector<std::pair<bool, char>>{
             {v->IsUndefined(), 'u'}, {v->IsNull(), 'n'}, {v->IsBool(), 'b'}, {v->IsDouble(), 'd'},
             {v->IsString(), 's'}, {v->IsDate(), 't'}, {v->IsArray(), 'a'}, {v->IsFunction(), 'f'},
             {v->IsObject(), 'o'}}) {
      if (flag) k += letter;
    }
    return k;
  };
  EXPECT_EQ(kinds(Eval("undefined")), "u");
  EXPECT_EQ(kinds(Eval("null")), "n");
  EXPECT_EQ(kinds(Eval("false")), "b");
  EXPECT_EQ(kinds(Eval("'text'")), "s");
  EXPECT_EQ(kinds(Eval("new String('boxed')")), "o");
  EXPECT_EQ(kinds(Eval("new Date(0)")), "t");
  EXPECT_EQ(kinds(Eval("[1, 2]")), "ao");
  EXPECT_EQ(kinds(Eval("(function named() {})")), "fo");
  EXPECT_EQ(kinds(Eval("(() => 1)")), "fo");
  EXPECT_EQ(kinds(Eval("class C {}; C")), "fo");
  EXPECT_EQ(kinds(Eval("/x/")), "o");
  EXPECT_EQ(kinds(Eval("new Error('e')")), "o");
  EXPECT_EQ(kinds(Eval("({length: 2})")), "o");
  EXPECT_EQ(kinds(Eval("Symbol('s')")), "");
  EXPECT_EQ(kinds(Eval("10n")), "");
  EXPECT_FALSE(Eval("'text'")->GetBoolValue());
  EXPECT_EQ(Eval("[1, , 3]")->GetArrayLength(), 3);
  EXPECT_EQ(Eval("({})")->GetArrayLength(), 0);
}

TEST_F(ScriptValueTest, StringsKeepEveryUtf16Unit) {
  const std::u16string units = {u'a', 0, 0xD800, 0xDE00, 0xD83D, 0xDE00};
  CefRefPtr<CefV8Value> created = CefV8Value::CreateString(units);
  EXPECT_EQ(created->GetStringValue().ToString16(), units);
  context_->GetGlobal()->SetValue("s", created, V8_PROPERTY_ATTRIBUTE_NONE);
  EXPECT_EQ(Eval("s.length")->GetIntValue(), 6);
  EXPECT_EQ(Eval("'\\uDC00' + '\\u0000'")->GetStringValue().ToString16(), (std::u16string{0xDC00, 0}));
}

TEST_F(ScriptValueTest, DatesGiveUniversalTimeFieldsWithMilliseconds) {
  const CefTime time = Eval("new Date(Date.UTC(2020, 1, 29, 3, 4, 5, 678))")->GetDateValue();
  EXPECT_EQ(time.year, 2020);
  EXPECT_EQ(time.month, 2);
  EXPECT_EQ(time.day_of_month, 29);
  EXPECT_EQ(time.day_of_week, 6);
  EXPECT_EQ(time.hour, 3);
  EXPECT_EQ(time.minute, 4);
  EXPECT_EQ(time.second, 5);
  EXPECT_EQ(time.millisecond, 678);

  const CefTime before_epoch = Eval("new Date(-1)")->GetDateValue();
  EXPECT_EQ(before_epoch.year, 1969);
  EXPECT_EQ(before_epoch.day_of_month, 31);
  EXPECT_EQ(before_epoch.millisecond, 999);
  EXPECT_EQ(Eval("new Date(Date.UTC(-500, 0, 1))")->GetDateValue().year, -500);
  EXPECT_EQ(Eval("new Date(Date.UTC(12000, 11, 31))")->GetDateValue().year, 12000);
  EXPECT_EQ(Eval("new Date(NaN)")->GetDateValue().year, 0);

  CefRefPtr<CefV8Value> created = CefV8Value::CreateDate(time);
  ASSERT_TRUE(created);
  context_->GetGlobal()->SetValue("d", created, V8_PROPERTY_ATTRIBUTE_NONE);
  EXPECT_EQ(Eval("d.toISOString()")->GetStringValue(), CefString("2020-02-29T03:04:05.678Z"));
}

TEST_F(ScriptValueTest, PropertiesByKeyFollowAttributesAndThePrototypeChain) {
  CefRefPtr<CefV8Value> object = CefV8Value::CreateObject(nullptr, nullptr);
  ASSERT_TRUE(object);
  context_->GetGlobal()->SetValue("o", object, V8_PROPERTY_ATTRIBUTE_NONE);
  EXPECT_TRUE(object->SetValue("fixed", CefV8Value::CreateInt(1), V8_PROPERTY_ATTRIBUTE_READONLY));
  EXPECT_TRUE(object->SetValue("hidden", CefV8Value::CreateInt(2), V8_PROPERTY_ATTRIBUTE_DONTENUM));
  EXPECT_TRUE(object->SetValue("kept", CefV8Value::CreateInt(3), V8_PROPERTY_ATTRIBUTE_DONTDELETE));

  EXPECT_EQ(Eval("o.fixed = 9; o.fixed")->GetIntValue(), 1);
  EXPECT_EQ(Eval("Object.keys(o).join()")->GetStringValue(), CefString("fixed,kept"));
  EXPECT_TRUE(object->HasValue("toString"));
  EXPECT_TRUE(object->GetValue("missing")->IsUndefined());
  EXPECT_FALSE(object->DeleteValue("kept"));
  EXPECT_TRUE(object->DeleteValue("fixed"));
  EXPECT_FALSE(object->HasValue("fixed"));
  EXPECT_TRUE(object->SetValue("fixed", CefV8Value::CreateInt(4), V8_PROPERTY_ATTRIBUTE_NONE));
  EXPECT_EQ(Eval("o.fixed")->GetIntValue(), 4);

  EXPECT_FALSE(CefV8Value::CreateInt(1)->SetValue("x", object, V8_PROPERTY_ATTRIBUTE_NONE));
  EXPECT_FALSE(CefV8Value::CreateString("s")->HasValue("length"));
  EXPECT_FALSE(object->SetValue("x", nullptr, V8_PROPERTY_ATTRIBUTE_NONE));
}

TEST_F(ScriptValueTest, PropertiesByIndex) {
  CefRefPtr<CefV8Value> array = CefV8Value::CreateArray(3);
  ASSERT_TRUE(array);
  EXPECT_EQ(array->GetArrayLength(), 3);
  EXPECT_FALSE(array->HasValue(1));
  EXPECT_TRUE(array->SetValue(1, CefV8Value::CreateString("one")));
  EXPECT_TRUE(array->HasValue(1));
  EXPECT_EQ(array->GetValue(1)->GetStringValue(), CefString("one"));
  EXPECT_TRUE(array->GetValue(7)->IsUndefined());
  EXPECT_TRUE(array->SetValue(5, CefV8Value::CreateNull()));
  EXPECT_EQ(array->GetArrayLength(), 6);
  EXPECT_TRUE(array->DeleteValue(5));
  EXPECT_FALSE(array->HasValue(5));
  EXPECT_FALSE(array->HasValue(-1));
  EXPECT_FALSE(array->GetValue(-1));
  EXPECT_FALSE(array->SetValue(-1, CefV8Value::CreateNull()));
}

class Accessor : public CefV8Accessor {
  IMPLEMENT_REFCOUNTING(Accessor);
};

TEST_F(ScriptValueTest, ObjectsNeedAnEnteredContextPrimitivesDoNot) {
  ASSERT_TRUE(context_->Exit());
  EXPECT_FALSE(CefV8Context::GetCurrentContext());
  EXPECT_FALSE(CefV8Value::CreateObject(nullptr, nullptr));
  EXPECT_FALSE(CefV8Value::CreateArray(1));
  EXPECT_FALSE(CefV8Value::CreateDate(CefTime{}));
  EXPECT_EQ(CefV8Value::CreateString("free")->GetStringValue(), CefString("free"));
  EXPECT_EQ(CefV8Value::CreateInt(-3)->GetIntValue(), -3);
  EXPECT_EQ(CefV8Value::CreateUInt(4000000000u)->GetUIntValue(), 4000000000u);
  EXPECT_FALSE(context_->Exit());
  ASSERT_TRUE(context_->Enter());
  EXPECT_EQ(CefV8Context::GetCurrentContext(), CefRefPtr<CefV8Context>(context_));
  EXPECT_FALSE(CefV8Value::CreateObject(new Accessor(), nullptr));
}

class RecordingHandler : public CefV8Handler {
 public:
  bool Execute(const CefString& name, CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments,
               CefRefPtr<CefV8Value>& retval, CefString& exception) override {
    calls.push_back(name.ToString() + "/" + std::to_string(arguments.size()));
    receiver_is_object = object->IsObject();
    current_context = CefV8Context::GetCurrentContext();
    if (!arguments.empty() && arguments[0]->IsString()) {
      const std::string command = arguments[0]->GetStringValue().ToString();
      if (command == "throw") exception = "boom";
      if (command == "unhandled") return false;
      if (command == "enter") current_context->Enter();  // and never Exit
      if (command == "cpp") throw std::runtime_error("c++");
      if (command == "null") return true;
    }
    retval = CefV8Value::CreateInt(42);
    return true;
  }

  std::vector<std::string> calls;
  bool receiver_is_object = false;
  CefRefPtr<CefV8Context> current_context;

 private:
  IMPLEMENT_REFCOUNTING(RecordingHandler);
};

TEST_F(ScriptValueTest, NativeFunctionsCallTheirHandler) {
  CefRefPtr<RecordingHandler> handler = new RecordingHandler();
  CefRefPtr<CefV8Value> function = CefV8Value::CreateFunction("native", handler);
  ASSERT_TRUE(function);
  EXPECT_TRUE(function->IsFunction());
  CefRefPtr<CefV8Value> holder = CefV8Value::CreateObject(nullptr, nullptr);
  holder->SetValue("f", function, V8_PROPERTY_ATTRIBUTE_NONE);
  context_->GetGlobal()->SetValue("holder", holder, V8_PROPERTY_ATTRIBUTE_NONE);

  EXPECT_EQ(Eval("holder.f(1, 'two', [3])")->GetIntValue(), 42);
  EXPECT_EQ(handler->calls.back(), "native/3");
  EXPECT_TRUE(handler->receiver_is_object);
  EXPECT_EQ(handler->current_context, CefRefPtr<CefV8Context>(context_));
  EXPECT_EQ(Eval("holder.f.name")->GetStringValue(), CefString("native"));
  EXPECT_TRUE(Eval("holder.f('unhandled')")->IsUndefined());
  EXPECT_TRUE(Eval("holder.f('null')")->IsUndefined());
  EXPECT_EQ(EvalFailure("holder.f('throw')")->GetMessage(), CefString("Uncaught Error: boom"));
  EXPECT_EQ(Eval("try { holder.f('throw') } catch (e) { e instanceof Error && e.message }")->GetStringValue(),
            CefString("boom"));
  EXPECT_EQ(EvalFailure("holder.f('cpp')")->GetMessage(), CefString("Uncaught Error: native function failed: c++"));
  EXPECT_EQ(Eval("holder.f('enter'); 1")->GetIntValue(), 1);  // the forgotten Enter is undone
  EXPECT_TRUE(context_->Exit());
  EXPECT_FALSE(CefV8Context::GetCurrentContext());
  EXPECT_TRUE(context_->Enter());
  EXPECT_FALSE(CefV8Value::CreateFunction("none", nullptr));
}

class CountedHandler : public CefV8Handler {
 public:
  explicit CountedHandler(int* alive) : alive_(alive) { ++*alive_; }
  ~CountedHandler() override { --*alive_; }
  bool Execute(const CefString&, CefRefPtr<CefV8Value>, const CefV8ValueList&, CefRefPtr<CefV8Value>&,
               CefString&) override {
    return false;
  }

 private:
  int* alive_;

  IMPLEMENT_REFCOUNTING(CountedHandler);
};

TEST_F(ScriptValueTest, AHandlerLivesAsLongAsItsFunction) {
  int alive = 0;
  context_->GetGlobal()->SetValue("kept", CefV8Value::CreateFunction("kept", new CountedHandler(&alive)),
                                  V8_PROPERTY_ATTRIBUTE_NONE);
  CefV8Value::CreateFunction("dropped", new CountedHandler(&alive));
  EXPECT_EQ(alive, 2);
  JS_GC(engine_->cx());
  engine_->RunPendingJobs();
  EXPECT_EQ(alive, 1);
  EXPECT_TRUE(Eval("kept()")->IsUndefined());
  context_->Exit();
  context_->Invalidate();
  context_ = nullptr;
  engine_.reset();
  EXPECT_EQ(alive, 0);
}

TEST_F(ScriptValueTest, ExceptionsCarryMessageAndPlace) {
  CefRefPtr<CefV8Exception> error = EvalFailure("var a = 1;\n  throw new TypeError('bad');", 10);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->GetMessage(), CefString("Uncaught TypeError: bad"));
  EXPECT_EQ(error->GetScriptResourceName(), CefString("test.js"));
  EXPECT_EQ(error->GetLineNumber(), 11);
  EXPECT_EQ(error->GetStartColumn(), 8);
  EXPECT_EQ(EvalFailure("throw null")->GetMessage(), CefString("Uncaught null"));
  EXPECT_EQ(EvalFailure("throw 'text'")->GetMessage(), CefString("Uncaught text"));
  CefRefPtr<CefV8Exception> syntax = EvalFailure("\n\n1 +* 2");
  EXPECT_EQ(syntax->GetMessage().ToString().rfind("Uncaught SyntaxError: ", 0), 0u);
  EXPECT_EQ(syntax->GetLineNumber(), 3);
  EXPECT_EQ(syntax->GetStartColumn(), 3);
  EXPECT_EQ(EvalFailure("  eval('\\n 1 +* 2')")->GetStartColumn(), 4);
  EXPECT_EQ(EvalFailure("  missing()")->GetStartColumn(), 2);
}

TEST_F(ScriptValueTest, ThrownValuesThatAreNotErrorsAreShownAsText) {
  const std::pair<const char*, const char*> cases[] = {
      {"throw Symbol('s')", "Uncaught Symbol(s)"},
      {"throw Symbol()", "Uncaught Symbol()"},
      {"throw 10n", "Uncaught 10"},
      {"throw {toString() { return 'shown'; }}", "Uncaught shown"},
      // String() itself throws for these: a fixed text stands in.
      {"throw Object.create(null)", "Uncaught #<Object>"},
      {"throw {toString() { throw new Error('no text'); }}", "Uncaught #<Object>"},
      {"throw new Proxy({}, {get() { throw 1; }})", "Uncaught #<Object>"},
  };
  for (const auto& [code, message] : cases) {
    CefRefPtr<CefV8Exception> exception = EvalFailure(code);
    ASSERT_TRUE(exception) << code;
    EXPECT_EQ(exception->GetMessage(), CefString(message)) << code;
  }
  EXPECT_EQ(EvalFailure("throw 'a\\0b'")->GetMessage().ToString16(), std::u16string(u"Uncaught a\0b", 12));
  EXPECT_EQ(Eval("'after'")->GetStringValue(), CefString("after"));  // nothing was left pending
}

TEST_F(ScriptValueTest, LinesNearTheLargestStartLineNeverWrap) {
  EXPECT_EQ(EvalFailure("throw 1", INT_MAX)->GetLineNumber(), INT_MAX);
  EXPECT_EQ(EvalFailure("\n\nthrow 1", INT_MAX)->GetLineNumber(), INT_MAX);
  EXPECT_EQ(EvalFailure("\n1 +* 2", INT_MAX)->GetLineNumber(), INT_MAX);
  EXPECT_EQ(EvalFailure("\nthrow 1", INT_MAX - 1)->GetLineNumber(), INT_MAX);
  EXPECT_EQ(EvalFailure("\nthrow 1", INT_MAX - 2)->GetLineNumber(), INT_MAX - 1);
}

TEST_F(ScriptValueTest, ValuesOutliveCollectionsAndDieWithTheirContext) {
  CefRefPtr<CefV8Value> object = Eval("({kept: 'yes', filler: new Array(10000).fill('x')})");
  Eval("for (let i = 0; i < 200; ++i) { new Array(10000).fill({}); }");
  JS_GC(engine_->cx());
  EXPECT_EQ(object->GetValue("kept")->GetStringValue(), CefString("yes"));

  CefRefPtr<CefV8Value> number = Eval("7");
  context_->Exit();
  context_->Invalidate();
  EXPECT_FALSE(context_->IsValid());
  EXPECT_FALSE(context_->Enter());
  EXPECT_FALSE(object->IsValid());
  EXPECT_FALSE(object->GetValue("kept"));
  EXPECT_TRUE(number->IsValid());
  context_ = nullptr;

  engine_.reset();
  EXPECT_FALSE(number->IsValid());
  EXPECT_FALSE(number->IsInt());
}

// Runs a function of the test's when called from script.
class CallbackHandler : public CefV8Handler {
 public:
  explicit CallbackHandler(std::function<void()> callback) : callback_(std::move(callback)) {}
  bool Execute(const CefString&, CefRefPtr<CefV8Value>, const CefV8ValueList&, CefRefPtr<CefV8Value>&,
               CefString&) override {
    callback_();
    return true;
  }

 private:
  std::function<void()> callback_;

  IMPLEMENT_REFCOUNTING(CallbackHandler);
};

TEST(ScriptInterruptTest, AStopFromAnotherThreadEndsTheRunningScriptAndStartsNoOther) {
  ScriptInterrupt interrupt;
  std::string error;
  std::unique_ptr<ScriptEngine> engine = ScriptEngine::Create(&error, &interrupt);
  ASSERT_TRUE(engine) << error;
  CefRefPtr<V8ContextImpl> context = engine->NewContext(nullptr, nullptr);
  ASSERT_TRUE(context && context->Enter());
  std::thread stopper;
  context->GetGlobal()->SetValue(
      "stopFromElsewhere",
      CefV8Value::CreateFunction("stopFromElsewhere",
                                 new CallbackHandler([&] { stopper = std::thread([&] { interrupt.Stop(); }); })),
      V8_PROPERTY_ATTRIBUTE_NONE);
  CefRefPtr<CefV8Value> result;
  CefRefPtr<CefV8Exception> exception;
  EXPECT_TRUE(context->Eval("'before'", "a.js", 1, result, exception));
  // Stopped while it loops: it ends without an exception, uncaught by its
  // own handler.
  EXPECT_FALSE(context->Eval("stopFromElsewhere(); for (;;) { try { for (;;) {} } catch (e) {} }", "loop.js", 1,
                             result, exception));
  EXPECT_FALSE(exception);
  stopper.join();
  EXPECT_FALSE(context->Eval("'after'", "b.js", 1, result, exception));
  EXPECT_FALSE(exception);
  context->Exit();
  context->Invalidate();
  engine.reset();
}

}  // namespace
}  // namespace cefshim::script
