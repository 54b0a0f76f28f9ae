// The command line that the runtime receives: everything after the program's
// own name, as a Windows command line would show it.
#pragma once

#include "platform/text_types.h"

namespace launcher {

// One argument as it stands on a command line: unchanged when it is not empty
// and holds no blank, tab or double quote; otherwise in double quotes, with
// each quote escaped by "\" and the backslashes before a quote or before the
// closing quote doubled, so that the usual command-line splitting gives the
// argument back. Pure, any thread.
platform::WString QuoteArgument(platform::WStringView argument);

// The arguments argv[1] to argv[argc - 1] (UTF-8, an ill-formed sequence
// becoming U+FFFD), each quoted as above, joined with single blanks. No
// arguments give "". Pure, any thread.
platform::WString CommandLineTail(int argc, const char* const* argv);

}  // namespace launcher
