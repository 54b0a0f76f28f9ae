// SigningSettings as JSON, in its two spellings:
// - the "Signing" object of the deployment-project and package-profile
//   documents ("SignOption", "CustomScript", "SignTool", "PfxFile",
//   "PfxPassword", "Algorithm", "TimeStamp");
// - the signing object of the configuration helper's texts (LauncherInfo
//   "SigningConfig", BuildConfig "SigningOption"), whose "SigningType"
//   numbers the methods the other way round: SigningType = (3 - SignOption)
//   remainder 3, and back by the same rule.
// Texts are cut to their fields; numbers of another JSON type read as 0.
// One thread at a time per document and record.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/signing_settings.h"
#include "platform/text_types.h"

// The member "Signing" of `parent`: 4 (CONFIG_MISSING_MEMBER) when absent, 3
// (CONFIG_INVALID_JSON) when not an object, both leaving `signing` as it
// was; else `signing` is filled (absent members give 0 and empty texts), 0.
std::uint32_t ReadSigningConfig(const JsonValue& parent, SigningSettings& signing);

// Appends the member "Signing" to `parent`.
void WriteSigningConfig(JsonObjectBuilder& parent, JsonDocument& document, const SigningSettings& signing);

// The helper's signing object, `object` being it (any other JSON type reads
// as an empty object).
void ReadSigningSection(const JsonValue& object, SigningSettings& signing);

// Appends the helper's signing object to `parent` as member `name`.
void WriteSigningSection(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                         const SigningSettings& signing);

// (3 - value) remainder 3, with the sign of the dividend: 0 gives 0, 1
// gives 2, 2 gives 1. Its own inverse on 0, 1 and 2.
std::int32_t SwapSigningType(std::int32_t value);
