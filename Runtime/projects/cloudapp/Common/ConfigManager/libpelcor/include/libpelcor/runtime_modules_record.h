// The runtime manifest's modules and groups copied into a caller record by
// ICloudConfigManager::LoadRuntimeModules and freed by FreeRuntimeModules.
// Conventions: fixed_record.h. Nodes are linked in document order.
#pragma once

#include <cstdint>

#include "libpelcor/fixed_record.h"

struct RuntimeModuleNode {
  RuntimeModuleNode* Next = nullptr;
  char16_t Name[64] = {};
  std::int32_t Option = 0;  // JSON true gives 3, false 0, an integer itself
  std::int32_t GroupId = 0;
  std::int32_t ClientType = 0;  // 1 when the module has none
};

struct RuntimeGroupNode {
  RuntimeGroupNode* Next = nullptr;
  char16_t Name[64] = {};
  std::int32_t GroupId = 0;
  PelcorFlag Dbi = 0;
};

struct RuntimeModulesRecord {
  char16_t Version[32] = {};
  RuntimeModuleNode* Modules = nullptr;
  RuntimeGroupNode* Groups = nullptr;
};
