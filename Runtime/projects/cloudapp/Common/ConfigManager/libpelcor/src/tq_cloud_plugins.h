// CTQCloudPlugins: the cloud plug-in description (contract in
// libpelcor/i_tq_cloud_plugins.h). Keeps the document of its last
// successful load and reads it again at every query. One thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "json_document.h"
#include "libpelcor/i_tq_cloud_plugins.h"

class CTQCloudPlugins final : public ITQCloudPlugins {
 public:
  CTQCloudPlugins() = default;
  CTQCloudPlugins(const CTQCloudPlugins&) = delete;
  CTQCloudPlugins& operator=(const CTQCloudPlugins&) = delete;

  // With bit 0 clear the object stays, emptied and not loaded.
  void Destroy(unsigned flags) override;
  bool Load(const std::u16string& path, std::u16string& error) override;
  bool IsLoaded() override { return m_loaded; }
  bool GetProgramInfo(std::uint32_t kind, CloudProgramInfo& info) override;
  bool GetPackages(CloudPackageInfo& info) override;
  void Release() override { Destroy(1); }

 private:
  ~CTQCloudPlugins() override = default;

  std::unique_ptr<JsonDocument> m_document = std::make_unique<JsonDocument>();
  bool m_loaded = false;
};
