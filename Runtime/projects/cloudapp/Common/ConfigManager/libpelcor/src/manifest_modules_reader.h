// Copying a runtime manifest's modules, version and groups into the
// caller's RuntimeModulesRecord (ICloudConfigManager::LoadRuntimeModules).
// One thread at a time per record.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/runtime_modules_record.h"

// Fills `record` from the manifest's root, every member matched exactly:
// one module node per object element of "modules" (Name, GroupId 0 and
// ClientType 1 when absent or not an integer; Option 3 for true, 0 for
// false, an integer as it stands, else 0), then Version, then one group
// node per object element of "groups" (Dbi 1 only for true). Other elements
// are skipped. Results: 3 when the root is not an object or "modules" or
// "groups" is not an array; 4 when "modules" is missing (record untouched)
// or "groups" is missing (modules and version stay stored); else 0. The
// list heads are overwritten, not freed: free a record's lists
// (FreeRuntimeModules) before loading it again.
std::uint32_t ReadManifestModules(const JsonValue& root, RuntimeModulesRecord& record);
