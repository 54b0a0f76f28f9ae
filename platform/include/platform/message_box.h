// Message boxes. On Linux a box is one line "Caption: text" on standard
// error; it never blocks. Any thread; lines from concurrent callers do not
// interleave.
#pragma once

#include "platform/text_types.h"

namespace platform {

void ShowMessageBox(WStringView caption, WStringView text);

}  // namespace platform
