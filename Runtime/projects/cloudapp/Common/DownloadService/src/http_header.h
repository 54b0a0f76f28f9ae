// Reading one HTTP header line as libcurl's header callback delivers it.
// Pure, any thread.
#pragma once

#include <string>

// When `line` is a header named `name` (compared without case, as HTTP/2
// sends names in lower case), stores its value without surrounding blanks
// and line end in *value and returns true.
bool HeaderValue(const std::string& line, const char* name, std::string* value);
