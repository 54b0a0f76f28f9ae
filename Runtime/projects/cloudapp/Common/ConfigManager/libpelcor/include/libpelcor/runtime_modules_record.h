// The runtime manifest's modules and groups copied into a caller record by
// ICloudConfigManager::LoadRuntimeModules and freed by FreeRuntimeModules.
// Conventions, and how each JSON type reads: fixed_record.h. Nodes are
// linked in document order.
//
// The document, a runtime manifest, is a JSON object; every member is
// matched exactly here (IRuntimeManifest finds "name" and "files" without
// ASCII case). The comment after a field names the member that fills it,
// its type and its default. Elements of "modules" and "groups" that are not
// objects are skipped. "modules" missing: CONFIG_MISSING_MEMBER, the record
// untouched; "groups" missing: CONFIG_MISSING_MEMBER, Modules and Version
// stored; either of another type: CONFIG_INVALID_JSON, the record
// untouched. The list heads are overwritten, not freed: free a loaded
// record (FreeRuntimeModules) before loading into it again. A module's
// "files" (file objects, cloud_file_info.h) and "description" (string) are
// not copied here; IRuntimeManifest reads them.
#pragma once

#include <cstdint>

#include "libpelcor/fixed_record.h"

// A "modules" element, an object.
struct RuntimeModuleNode {
  RuntimeModuleNode* Next = nullptr;
  char16_t Name[64] = {};       // "name": string
  // "option": true/false or integer. True gives 3 (IRuntimeManifest's
  // GetOption gives 1), false 0, an integer its low 32 bits; absent, or
  // another value: 0.
  std::int32_t Option = 0;
  std::int32_t GroupId = 0;     // "groupid": integer
  std::int32_t ClientType = 0;  // "clienttype": integer, default 1
};

// A "groups" element, an object.
struct RuntimeGroupNode {
  RuntimeGroupNode* Next = nullptr;
  char16_t Name[64] = {};    // "name": string
  std::int32_t GroupId = 0;  // "groupid": integer
  PelcorFlag Dbi = 0;        // "dbi": true/false
};

struct RuntimeModulesRecord {
  char16_t Version[32] = {};            // "version": string
  RuntimeModuleNode* Modules = nullptr;  // "modules": array of objects, required
  RuntimeGroupNode* Groups = nullptr;    // "groups": array of objects, required
};
