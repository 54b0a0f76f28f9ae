// The file object of a runtime manifest module ("name", "size", "path",
// "action", "hashcode", "isneedextract", "packagename", written in that
// order) and CloudFileInfo. One thread at a time per document.
#pragma once

#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/cloud_file_info.h"

// A file object as a record, every member matched exactly and type-checked:
// texts absent or not strings are empty (Path too), Size is the low 32 bits
// of an integer "size" (else 0), NeedExtract is true only for JSON true,
// Action loses its leading and trailing spaces (U+0020 only). UpdateType
// keeps its default.
CloudFileInfo ReadFileEntry(const JsonValue& entry);

// Appends the file object of `file` to the array that `files` builds.
void PushFileEntry(JsonObjectBuilder& files, JsonDocument& document, const CloudFileInfo& file);
