// The deployment-project document and DeployProjectRecord: the reader that
// fills a record from a project object and the writer that builds a
// project object from a record. Results are EN_CONFIG_RESULT codes. One
// thread at a time per document and record.
//
// Reader and writer agree member for member, except that "OutputDir" is
// written but never read (the reader composes it), "Format" is always
// written as "1.0", and the reader takes "halvern" and "CSharpUIConfig" as
// optional while the writer always emits them, so a written document always
// reads back.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/deploy_project_record.h"
#include "platform/text_types.h"

// Fills the record from `project`, in document order; the first step that
// fails returns its code:
// - 3 when `project` is not an object, a required list or "Signing" or
//   "halvern" is of another JSON type, or a package's files are not an
//   array;
// - 4 when a required member is missing ("Libraries",
//   "PredownloadPackages", "PredownloadFiles", "InstantDownloadFiles",
//   "RuntimeModules", "RegisterFiles", "Signing", "IniConfigFiles", checked
//   in that order).
// Scalars are always assigned (absent or of another JSON type: their
// defaults). OutputDir becomes the app's cache folder (app_cache_folder.h),
// or the empty text when that path does not fit the field. Each list is
// built whole and then appended to the record's list, so a failed list adds
// no node and the lists of earlier steps stay attached. The server-settings
// part is emptied (its old dbconfig text freed) before "halvern" is read.
std::uint32_t ReadDeployProject(const JsonValue& project, DeployProjectRecord& record);

// Makes the document's root an object holding one member, `member`, whose
// value is the project object built from the record.
void WriteDeployProject(JsonDocument& document, platform::WStringView member, const DeployProjectRecord& record);

// WriteDeployProject, then SaveJsonFile (json_file.h); its code.
std::uint32_t WriteDeployProjectFile(JsonDocument& document, const char16_t* path, platform::WStringView member,
                                     const DeployProjectRecord& record);
