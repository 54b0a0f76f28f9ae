#include "json_error_text.h"

#include <iterator>

#include "platform/format.h"

namespace {

// Indexed by code: the parser's codes 0-17 in its order, then the
// library's own (21 is unused).
const char16_t* const kErrorTexts[] = {
    u"\"No error.\"",
    u"\"The document is empty.\"",
    u"\"The document root must not be followed by other values.\"",
    u"\"Invalid value.\"",
    u"\"Missing a name for object member.\"",
    u"\"Missing a colon after a name of object member.\"",
    u"\"Missing a comma or '}' after an object member.\"",
    u"\"Missing a comma or ']' after an array element.\"",
    u"\"Incorrect hex digit after \\\\u escape in string.\"",
    u"\"The surrogate pair in string is invalid.\"",
    u"\"Invalid escape character in string.\"",
    u"\"Missing a closing quotation mark in string.\"",
    u"\"Invalid encoding in string.\"",
    u"\"Number too big to be stored in double.\"",
    u"\"Miss fraction part in number.\"",
    u"\"Miss exponent in number.\"",
    u"\"Terminate parsing due to Handler error.\"",
    u"\"Unspecific syntax error.\"",
    u"\"The pointer to the json text is null.\"",
    u"\"The pointer to the file name is null.\"",
    u"\"The file name does not exist.\"",
    nullptr,
    u"\"The root node of json data is not object.\"",
};

const char16_t kUnknownError[] = u"\"Unknown error.\"";

}  // namespace

const char16_t* JsonErrorText(int code) {
  if (code < 0 || code >= static_cast<int>(std::size(kErrorTexts)) || kErrorTexts[code] == nullptr) {
    return kUnknownError;
  }
  return kErrorTexts[code];
}

platform::WString ParseFailureMessage(platform::WStringView path, const JsonDocument& document) {
  return platform::Format(u"Failed to parse the file \"%s\". Error: %s, offset: %u.",
                          {path, JsonErrorText(document.ParseErrorCode()), document.ParseErrorOffset()});
}
