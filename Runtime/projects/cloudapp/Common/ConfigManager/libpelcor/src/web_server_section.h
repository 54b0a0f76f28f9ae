// The "WebServerConfig" section of the configuration helper's texts: the
// local web root and the remote servers of a server profile, as an array of
// {"Options", "ProfileName", "ServerType"} entries (type 0 the local one, 1
// a remote one). One thread at a time per document and record.
#pragma once

#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/profile_records.h"
#include "platform/text_types.h"

// Appends the section to `parent` as member `name`: the local entry when
// the web root path is not empty, then one entry per remote server.
void WriteWebServerConfig(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                          const ServerProfileRecord& profile);

// Replaces the profile's web root path and remote servers with the
// section's (any other JSON type than an array reads as an empty one;
// elements that are not objects are skipped). An entry whose "ServerType"
// is absent or 0 sets the web root path (the last such entry wins); any
// other adds a remote server, its port cut to 16 bits (21 when absent). The
// new list is built whole before the old one is freed. Never fails.
void ReadWebServerConfig(const JsonValue& section, ServerProfileRecord& profile);
