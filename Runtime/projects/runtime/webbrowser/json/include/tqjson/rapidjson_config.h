// The one place where RapidJSON is configured for this library. It must be
// included before any RapidJSON header (json_document.h does so).
// - A failed RapidJSON assertion throws RapidJsonAssertion instead of
//   aborting, so that a facade can turn it into kJsonExceptionCaught.
// - Writers write NaN and the infinities as NaN, Infinity and -Infinity by
//   default (the pretty writer only accepts that flag this way).
// Allocation failures throw through JsonAllocator (json_allocator.h).
#pragma once

#if defined(RAPIDJSON_RAPIDJSON_H_) && !defined(TQJSON_RAPIDJSON_CONFIGURED)
#error "tqjson/rapidjson_config.h must be included before any RapidJSON header"
#endif
#define TQJSON_RAPIDJSON_CONFIGURED 1

#include <stdexcept>

namespace TQJSON {

class RapidJsonAssertion : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

[[noreturn]] void ThrowRapidJsonAssertion(const char* condition);

}  // namespace TQJSON

#define RAPIDJSON_ASSERT(condition) ((condition) ? static_cast<void>(0) : ::TQJSON::ThrowRapidJsonAssertion(#condition))
#define RAPIDJSON_WRITE_DEFAULT_FLAGS kWriteNanAndInfFlag
