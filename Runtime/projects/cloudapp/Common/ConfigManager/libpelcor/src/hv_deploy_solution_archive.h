// CHVDeploySolutionArchive: the common base of the deploy-solution object
// tree (manager, solution, folder, web API). Each class reads itself from
// and writes itself into JSON; results are EN_CONFIG_RESULT codes. A class
// overrides the pair it needs: the manager works on the whole document,
// the others on one JSON object of it. The base versions do nothing and
// give 0. The document supplies the allocator of every value written.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "libpelcor/config_result.h"

class CHVDeploySolutionArchive {
 public:
  virtual ~CHVDeploySolutionArchive() = default;

  virtual std::uint32_t ReadValue(JsonDocument& /*document*/, const JsonValue& /*value*/) { return CONFIG_OK; }
  virtual std::uint32_t ReadDocument(JsonDocument& /*document*/) { return CONFIG_OK; }
  virtual std::uint32_t WriteValue(JsonDocument& /*document*/, JsonValue& /*value*/) { return CONFIG_OK; }
  virtual std::uint32_t WriteDocument(JsonDocument& /*document*/) { return CONFIG_OK; }
};
