// Splitting a text at a separator into trimmed, non-empty pieces (blanks
// around a piece are dropped). Pure, any thread. The views point into the
// text, which must outlive them.
#pragma once

#include <vector>

#include "platform/text_types.h"

std::vector<platform::WStringView> SplitNonEmpty(platform::WStringView text, char16_t separator);

// The text without leading and trailing blanks (space, tab).
platform::WStringView TrimBlanks(platform::WStringView text);
