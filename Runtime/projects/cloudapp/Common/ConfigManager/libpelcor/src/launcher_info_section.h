// The "LauncherInfo" section of the configuration helper's texts: what the
// launcher shows and where it installs, over a launcher-settings record
// (PackageProfileRecord; the comments there give the section's names). One
// thread at a time per document and record.
#pragma once

#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/profile_records.h"
#include "platform/text_types.h"

// Appends the section to `parent` as member `name`.
void WriteLauncherInfo(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                       const LauncherSettingsRecord& record);

// Fills the record from `section` (any other JSON type than an object reads
// as an empty one): absent members give empty texts, mode 0, signing method
// 0, and install paths that may not be changed. Never fails.
void ReadLauncherInfo(const JsonValue& section, LauncherSettingsRecord& record);
