// Making and freeing the length-prefixed out-string blocks that records
// carry (libpelcor/out_string.h gives the layout). Any thread.
#pragma once

#include "libpelcor/out_string.h"
#include "platform/text_types.h"

// Frees `block` when set, then stores a new block holding `text`. A null or
// empty text, a text too long for the length field, or a failed malloc give
// false and leave `block` null.
bool SetOutString(OutString*& block, const char16_t* text);

// Frees `block` when set and makes it null.
void FreeOutString(OutString*& block);

// The block's text (empty for a null block).
inline platform::WStringView OutStringView(const OutString* block) {
  return platform::WStringView(OutStringText(block), OutStringLength(block));
}
