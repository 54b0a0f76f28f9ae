// The target-frameworks document, a JSON text from the caller:
// "SupportSwithchTargetFramework" (boolean), "TargetFramework" ({"Name",
// "DisplayName"}) and "SupportTargetFrameworks" (array of such objects),
// read into a TargetFrameworksRecord. One thread at a time per document and
// record.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/profile_records.h"

// 3, leaving the record as it was, when the root is not an object,
// "TargetFramework" is not an object or "SupportTargetFrameworks" not an
// array. Otherwise each of the three parts that is present is read and
// each absent one leaves its fields untouched: SupportSwitch is 1 only for
// JSON true; absent names are empty texts, longer ones cut; the frameworks
// list (one node per object element; others are skipped) replaces the
// record's list, whose nodes are freed. 0.
std::uint32_t ReadTargetFrameworks(const JsonValue& root, TargetFrameworksRecord& record);

// Frees the record's frameworks list; the head becomes null.
void FreeTargetFrameworkList(TargetFrameworksRecord& record);
