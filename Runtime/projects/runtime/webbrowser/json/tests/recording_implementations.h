// Test doubles for the implementation end of a chain: every operation is
// logged as "Name(argument,...)" and answered with a fixed result, or by
// throwing std::bad_alloc. Release is logged as "Release" and deletes the
// object.
#pragma once

#include <cstdint>
#include <new>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/unicode.h"
#include "tqjson/ijson_generator.h"
#include "tqjson/ijson_parser.h"

namespace TQJSON {

struct CallLog {
  std::vector<std::string> calls;
  std::int32_t answer = 1;
  bool throws = false;
};

inline std::string Describe(const char16_t* text) { return text ? platform::Utf16ToUtf8(text) : "null"; }
template <typename T>
std::string Describe(const T& value) {
  std::ostringstream out;
  if constexpr (std::is_pointer_v<T>) {
    out << (value ? "ptr" : "null");
  } else {
    out << value;
  }
  return out.str();
}

// Logs one call: Recorder(log, "Name")(arguments...).
class Recorder {
 public:
  Recorder(CallLog* log, const char* name) : log_(log), name_(name) {}
  template <typename... Arguments>
  std::int32_t operator()(const Arguments&... arguments) {
    std::string call = name_ + "(";
    std::string separator;
    ((call += separator + Describe(arguments), separator = ","), ...);
    log_->calls.push_back(call + ")");
    if (log_->throws) throw std::bad_alloc();
    return log_->answer;
  }

 private:
  CallLog* log_;
  std::string name_;
};

#define TQJSON_RECORD_OPERATION(category, result, name, parameters, arguments) \
  TQJSON_RECORD_##category(name, parameters, arguments)
#define TQJSON_RECORD_ANSWER(name, parameters, arguments) \
  std::int32_t name parameters override { return Recorder(log_, #name) arguments; }
#define TQJSON_RECORD_PLAIN TQJSON_RECORD_ANSWER
#define TQJSON_RECORD_LOAD TQJSON_RECORD_ANSWER
#define TQJSON_RECORD_ERROR_FLAG TQJSON_RECORD_ANSWER
#define TQJSON_RECORD_TRUTH TQJSON_RECORD_ANSWER
#define TQJSON_RECORD_ROOT TQJSON_RECORD_ANSWER
#define TQJSON_RECORD_FLOATING TQJSON_RECORD_ANSWER
#define TQJSON_RECORD_FORMATTED TQJSON_RECORD_ANSWER
#define TQJSON_RECORD_RELEASE(name, parameters, arguments) \
  void Release() override {                                \
    log_->calls.push_back("Release");                      \
    delete this;                                           \
  }

class RecordingParser final : public IJsonParser {
 public:
  explicit RecordingParser(CallLog* log) : log_(log) {}
  TQJSON_PARSER_OPERATIONS(TQJSON_RECORD_OPERATION)

 private:
  ~RecordingParser() = default;
  CallLog* log_;
};

class RecordingGenerator final : public IJsonGenerator {
 public:
  explicit RecordingGenerator(CallLog* log) : log_(log) {}
  TQJSON_GENERATOR_OPERATIONS(TQJSON_RECORD_OPERATION)

 private:
  ~RecordingGenerator() = default;
  CallLog* log_;
};

}  // namespace TQJSON
