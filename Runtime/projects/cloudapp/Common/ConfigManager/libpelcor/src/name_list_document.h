// The name-list document: a JSON array of {"Name", "DisplayName",
// "Description"} objects, read into a list of NameListNode. One thread at a
// time per document and list.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/profile_records.h"

// 3 when the root is not an array, leaving *head as it was. Otherwise one
// node per object element (other elements are skipped; absent members give
// empty texts, longer texts are cut), and the new list replaces *head,
// whose old nodes are freed; 0.
std::uint32_t ReadNameList(const JsonValue& root, NameListNode*& head);
