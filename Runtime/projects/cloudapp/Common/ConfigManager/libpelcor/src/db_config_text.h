// The DbConfig text: a deployment project's run, build, deployment and
// application-server settings in a layout of their own ("DbConfig",
// "RunConfig", "BuildConfig", "DeploymentConfig", "HalvernConfig"), with
// other member names, nested objects and value conversions than the
// project document. One thread at a time per document and record.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/deploy_project_record.h"
#include "platform/text_types.h"
#include "utc_time.h"

// Makes the document's root the DbConfig object. When the record's
// OnlineTime or OfflineTime is empty, "AvailableTime" is `now` and
// "Expiration" ten years later; otherwise both are the record's. The record
// is not changed.
void WriteDbConfig(JsonDocument& document, const DeployProjectRecord& record, platform::WStringView project_name,
                   const UtcTime& now);

// 3 when the root is not an object, 4 when it has no "DbConfig" member;
// both leave the record untouched. Otherwise the record's dbconfig text is
// replaced (null when the member is not a non-empty string) and the four
// sections are read; a missing section, or one that is not an object,
// reads as an empty object, so its fields take their defaults and its
// lists become empty (the runtime modules hold the two fixed modules).
// Every list a section covers is built whole, then replaces the record's
// list, whose nodes are freed. 0.
std::uint32_t ReadDbConfig(const JsonValue& root, DeployProjectRecord& record);
