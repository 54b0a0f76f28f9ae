// The app configuration document (JSON) and AppConfigRecord: the reader
// that fills a record from a parsed document and the writer that builds a
// document from a record. Results are EN_CONFIG_RESULT codes. One thread at
// a time per document and record.
//
// Reader and writer differ on purpose: the writer puts "1.0" in "Format"
// whatever the record holds, writes no "AppName" in "halvern", writes the
// package contents of the top-level predownload files only (one level), and
// never writes UseRegsvr32.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/app_config_record.h"

// Fills `record` from the root: 3 when the root is not an object or a
// required member ("PredownloadFiles", "InstantDownloadFiles",
// "RegisterFiles", "RuntimeModules", "IniConfigFiles") is not an array, or
// when packages nest deeper or give more files than the reader follows
// (AppFileListReader); 4 when a required member is missing; else 0. Texts,
// flags and "StartMode" are always assigned (absent or of another type:
// empty, 0); the "halvern" texts only when the document has that object.
// Lists are appended to. The document is read whole before the record
// changes: on failure the record is exactly as it was.
std::uint32_t ReadAppConfig(const JsonValue& root, AppConfigRecord& record);

// Makes the document's root an object holding the record.
void WriteAppConfig(JsonDocument& document, const AppConfigRecord& record);

// WriteAppConfig, then SaveJsonFile (json_file.h).
std::uint32_t SaveAppConfigFile(JsonDocument& document, const char16_t* path, const AppConfigRecord& record);
