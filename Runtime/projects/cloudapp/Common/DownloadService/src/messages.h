// The library's user-visible messages, string resources 101 to 110 in
// English and Chinese; the language follows platform::CurrentUiLanguage.
#pragma once

#include "platform/text_types.h"

// The message text for a message number; "" for an unknown number.
platform::WString LoadMessageText(unsigned messageNumber);
