// The "LauncherConfig" section of the configuration helper's texts: how the
// launcher is packaged (server, zip path, runtime, upload, launcher
// profile), over a launcher-settings record (PackageProfileRecord). One
// thread at a time per document and record.
#pragma once

#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/profile_records.h"
#include "platform/text_types.h"

// Appends the section to `parent` as member `name`. "LauncherProfile" comes
// from the record's selected launcher profile when it has one, else from
// its LauncherName, OutputPath and InstallMode. "UploadMode" is 1 when the
// record's UploadServer slot (the launcher's "upload off" flag) is 0.
void WriteLauncherConfig(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                         const LauncherSettingsRecord& record);

// Fills the record from `section` (any other JSON type than an object reads
// as an empty one). The UploadServer slot becomes 1 when "UploadMode" is 0
// or absent; DefaultPackage is 1 for a launcher profile named "Default"
// (ignoring case), and only otherwise does OutputPath take the profile's
// "Path"; LocalServer is 1 for the server "Local" (ignoring case).
// "RuntimeVersion" is not read and the selected launcher profile is not
// touched. Never fails.
void ReadLauncherConfig(const JsonValue& section, LauncherSettingsRecord& record);
