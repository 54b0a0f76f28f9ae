// The reader's parse-error codes and their texts in ten languages.
//
// Codes 0 to 17 are RapidJSON's parse-error codes (rapidjson::
// ParseErrorCode) in RapidJSON's order; 18 to 22 belong to the library.
// The texts are constants of the program: they live as long as the
// process, and every function here may be called from any thread at any
// time (nothing is built on first use).
#pragma once

#include <cstdint>

namespace TQJSON {

enum LibraryParseError : std::int32_t {
  kParseErrorNullText = 18,      // a null buffer or string
  kParseErrorNullFileName = 19,  // a null file name
  kParseErrorFileNotFound = 20,  // a file that cannot be opened
  kParseErrorEmptyString = 21,   // an empty buffer or string
  kParseErrorRootNotObject = 22,  // has a text, but no load reports it
};

constexpr std::int32_t kParseErrorCodeCount = 23;

// Language selectors of the text tables; any other value selects English.
enum ParseErrorLanguage : std::int32_t {
  kParseErrorEnglish = 0,
  kParseErrorJapanese = 1,
  kParseErrorDanish = 2,
  kParseErrorDutch = 3,
  kParseErrorFrench = 4,
  kParseErrorGerman = 5,
  kParseErrorItalian = 6,
  kParseErrorNorwegian = 7,
  kParseErrorSpanish = 8,
  kParseErrorSwedish = 9,
};

// The language of the texts that readers hand out. Nothing in the system
// selects another one.
constexpr std::int32_t kSelectedParseErrorLanguage = kParseErrorEnglish;

// The text of `code` in the selected table; "" for a code it lacks.
const char16_t* ParseErrorText(std::int32_t language, std::int32_t code);

}  // namespace TQJSON
