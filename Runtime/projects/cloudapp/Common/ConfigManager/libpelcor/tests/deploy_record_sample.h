// A deployment-project record with every field set to a value other than
// its default and every list holding entries, for round trips through the
// loaded library.
#pragma once

#include <string>
#include <vector>

#include "libpelcor/libpelcor.h"
#include "record_text.h"

namespace pelcor_test {

// Fills `record` (whose lists must be empty); its dbconfig text is made by
// `manager`, which also frees the record afterwards.
void FillDeployRecord(ICloudConfigManager& manager, DeployProjectRecord& record);

// The names of a node list, in order.
template <typename Node>
std::vector<std::u16string> Names(const Node* node) {
  std::vector<std::u16string> names;
  for (; node != nullptr; node = node->Next) names.push_back(Text(node->Name));
  return names;
}

}  // namespace pelcor_test
