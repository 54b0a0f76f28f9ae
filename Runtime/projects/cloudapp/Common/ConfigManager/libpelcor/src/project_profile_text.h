// The project profile text: a short summary of where a deployment project
// runs (app name, database and server profiles, host, port, HTTPS,
// application-server address and the DbConfig text), over a
// DeployProjectRecord. One thread at a time per document and record.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/deploy_project_record.h"

// Makes the document's root the profile object.
void WriteProjectProfile(JsonDocument& document, const DeployProjectRecord& record);

// 3 when the root is not an object (record untouched). Otherwise reads
// "DbProfile", "ServerProfile" (into ProjectServerProfile) and the run
// endpoint (run_endpoint.h); "AppName", "HalvernUrl" and "DbConfig" are not
// read back. 0.
std::uint32_t ReadProjectProfile(const JsonValue& root, DeployProjectRecord& record);
