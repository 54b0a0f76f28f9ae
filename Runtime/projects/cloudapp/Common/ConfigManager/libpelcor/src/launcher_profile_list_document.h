// The launcher-profile list document: a JSON array of {"Name", "Path",
// "LauncherMode", "runtimeversion"} objects, and the caller's
// std::list<LauncherProfileEntry>. One thread at a time per document and
// list.
#pragma once

#include <cstdint>
#include <list>

#include "json_document.h"
#include "libpelcor/profile_records.h"

// Clears the list, then appends one entry per object element of the root
// array (other elements are skipped; a root that is not an array gives an
// empty list). Absent members give empty texts and mode 0; texts are cut to
// their fields. Always 0.
std::uint32_t ReadLauncherProfileList(const JsonValue& root, std::list<LauncherProfileEntry>& profiles);

// Makes the document's root the array of the list's entries, in list order.
void WriteLauncherProfileList(JsonDocument& document, const std::list<LauncherProfileEntry>& profiles);
