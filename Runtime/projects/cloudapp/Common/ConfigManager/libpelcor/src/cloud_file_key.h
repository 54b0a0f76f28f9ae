// The key under which file entries are mapped (CloudFileMap): the entry's
// relative path in the form the caller's installer compares, matched
// exactly. Pure, any thread.
#pragma once

#include "libpelcor/cloud_file_info.h"
#include "platform/text_types.h"

// Path empty: Name. Path ending in "\": Path + Name. Otherwise Path + "\" +
// Name. Separators inside Path are kept as they stand.
platform::WString CloudFileKey(const CloudFileInfo& file);

// Inserts `file` under its key unless the map already holds that key (the
// first entry stays).
void InsertUnderKey(CloudFileMap& files, CloudFileInfo&& file);
