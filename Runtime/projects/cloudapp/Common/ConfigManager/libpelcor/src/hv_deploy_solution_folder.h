// CHVDeploySolutionFolder: one project folder of a deploy solution, with
// its name ("foldername") and its own web-API settings. Owned by the caller
// that made it until a solution adopts it (AddFolder), then by that
// solution. One thread at a time.
#pragma once

#include <cstdint>
#include <string>

#include "hv_deploy_solution_archive.h"
#include "hv_deploy_solution_web_api.h"
#include "hv_owned_objects.h"
#include "libpelcor/i_hv_deploy_solution.h"

class CHVDeploySolutionFolder final : public CHVDeploySolutionArchive,
                                      public IHVDeploySolutionFolder,
                                      public CHVAdoptable {
 public:
  CHVDeploySolutionFolder() = default;
  // A copy with its own web-API settings; the copy belongs to nobody yet.
  CHVDeploySolutionFolder(const CHVDeploySolutionFolder& other);
  CHVDeploySolutionFolder& operator=(const CHVDeploySolutionFolder&) = delete;
  ~CHVDeploySolutionFolder() override = default;

  void Release() override { delete this; }
  bool IsValid() override;
  void Clear() override;
  IHVDeploySolutionWebApi* GetWebApi() override { return &m_webApi; }
  void SetName(const char16_t* name) override;
  const char16_t* GetName() override { return m_name.c_str(); }

  const std::u16string& Name() const { return m_name; }

  // The web API reads first (its result is the result: 4 without
  // "webapi"), then the name, which is read in any case.
  std::uint32_t ReadValue(JsonDocument& document, const JsonValue& value) override;
  std::uint32_t WriteValue(JsonDocument& document, JsonValue& value) override;

 private:
  std::u16string m_name;
  CHVDeploySolutionWebApi m_webApi;
};
