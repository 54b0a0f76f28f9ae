// Where the project runs: the members "Host", "Port" and "Https" that the
// project profile text and DbConfig's "RunOptions" both carry, over the
// record's RunHost, RunPort (decimal text) and RunWithHttps.
// One thread at a time per document and record.
#pragma once

#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/deploy_project_record.h"

// "Port" is the integer that RunPort begins with (leading blanks and a sign
// allowed, digits up to the first other character; 0 when there are none).
void WriteRunEndpoint(JsonObjectBuilder& object, const DeployProjectRecord& record);

// Absent members give "localhost", port 80 and no HTTPS; the port number is
// cut to 16 bits and stored as decimal text. `object` of another JSON type
// reads as an empty object.
void ReadRunEndpoint(const JsonValue& object, DeployProjectRecord& record);
