// The package-profile document and PackageProfileRecord: how a project's
// launcher package is made (install paths, images, server, runtime and the
// "Signing" object). Results are EN_CONFIG_RESULT codes. One thread at a
// time per document and record.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/profile_records.h"

// 3 when the root is not an object; 4 when "OutputPath" or "ServerProfile"
// is missing, leaving the record as it was. Otherwise every field of the
// document is assigned (absent or of another JSON type: AppPathOption and
// InstallPathOption 1, RuntimePlatform 3, others 0 or empty; the flags
// LocalServer, DefaultPackage and UploadServer are 1 when absent and 0 when
// of another type than boolean), then "Signing" is read: 4 when
// absent, 3 when not an object (the other fields stay filled), else 0.
// WebServer, Unused and SelectedLauncherProfile are not touched.
std::uint32_t ReadLauncherProfile(const JsonValue& root, PackageProfileRecord& record);

// Makes the document's root the profile, "Signing" last.
void WriteLauncherProfile(JsonDocument& document, const PackageProfileRecord& record);
