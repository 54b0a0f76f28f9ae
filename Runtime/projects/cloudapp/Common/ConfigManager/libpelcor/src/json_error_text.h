// Texts of JSON parse errors and the message built with them. Pure, any
// thread.
#pragma once

#include "json_document.h"
#include "platform/text_types.h"

// The text of a parse-error code (JsonDocument::ParseErrorCode), enclosed in
// double quotes so that it reads as a quoted phrase inside a message. An
// unknown code gives "Unknown error.". The text is static.
const char16_t* JsonErrorText(int code);

// "Failed to parse the file "<path>". Error: <JsonErrorText>, offset: <n>."
// for the document's last parse. Never cut, however long the path.
platform::WString ParseFailureMessage(platform::WStringView path, const JsonDocument& document);
