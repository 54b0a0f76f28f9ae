// The one way libpelcor includes RapidJSON. Include this header, never a
// RapidJSON header directly: it must come first so that a failed RapidJSON
// assertion throws RapidJsonAssertion instead of aborting the caller's
// process.
#pragma once

#include <stdexcept>

#ifdef RAPIDJSON_ASSERT
#error "rapidjson_setup.h must be included before any RapidJSON header"
#endif

struct RapidJsonAssertion : std::logic_error {
  using std::logic_error::logic_error;
};

#define RAPIDJSON_ASSERT(condition) \
  ((condition) ? static_cast<void>(0) : throw RapidJsonAssertion("RapidJSON assertion: " #condition))

#include <rapidjson/document.h>
#include <rapidjson/encodedstream.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
