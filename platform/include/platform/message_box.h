// Message boxes. On Linux a box is one line "Caption: text" (UTF-8) on
// standard error; line breaks in the caption or text become spaces. It
// never blocks. Any thread; lines from concurrent callers do not
// interleave (one write per line, under a lock).
#pragma once

#include "platform/text_types.h"

namespace platform {

void ShowMessageBox(WStringView caption, WStringView text);

}  // namespace platform
