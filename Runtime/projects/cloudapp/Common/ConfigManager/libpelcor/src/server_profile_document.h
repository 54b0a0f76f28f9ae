// The server-profile document and ServerProfileRecord: where a project is
// deployed (the local web root and the remote servers). Results are
// EN_CONFIG_RESULT codes. One thread at a time per document and record.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/profile_records.h"

// 3 when the root is not an object, or "LocalServer" is not an object, or
// "RemoteServer" not an array; 4 when either is missing; both leave the
// record as it was. Otherwise Format and WebRootPath are set and the list
// of one node per object element of "RemoteServer" (other elements are
// skipped) replaces RemoteServers, whose old nodes are freed; 0. A node's
// absent members give empty texts,
// port 21 and encryption mode 0; the port keeps the low 16 bits of its
// number.
std::uint32_t ReadServerProfile(const JsonValue& root, ServerProfileRecord& record);

// Makes the document's root the profile: "Format" is always "1.0".
void WriteServerProfile(JsonDocument& document, const ServerProfileRecord& record);
