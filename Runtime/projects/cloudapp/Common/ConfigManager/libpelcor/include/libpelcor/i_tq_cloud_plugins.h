// ITQCloudPlugins: the cloud plug-in description, which names the current
// and minimum versions of the two client programs ("dovrake", kind 0, and
// "mirtaval", kind 1), how they update, and the package that carries them.
// Made by ICloudConfigManager::CreateCloudPlugins.
//
// States: not loaded (new) and loaded after a successful Load; a failed Load
// keeps the previous document queryable. Queries read the document on each
// call; fields filled before a query fails keep their new values.
//
// One thread at a time; the object takes no lock.
#pragma once

#include <cstdint>
#include <string>

#include "libpelcor/cloud_program_info.h"
#include "libpelcor/pelcor_export.h"

class PELCOR_INTERFACE ITQCloudPlugins {
 public:
  // Frees the document; frees the object when bit 0 of `flags` is set.
  virtual void Destroy(unsigned flags) = 0;
  // Reads a UTF-8 JSON file. On failure `error` is "Failed to parse the
  // file "<path>". Error: "<parse error>", offset: <n>." and false.
  virtual bool Load(const std::u16string& path, std::u16string& error) = 0;
  virtual bool IsLoaded() = 0;
  // The program's "version", "minver" and "updatemode" (all required) and
  // the root's "mode"; Kind is set last, on success only.
  virtual bool GetProgramInfo(std::uint32_t kind, CloudProgramInfo& info) = 0;
  // The root's "package" and "checkcode" strings.
  virtual bool GetPackages(CloudPackageInfo& info) = 0;
  // Ends the object (Destroy(1)).
  virtual void Release() = 0;

 protected:
  virtual ~ITQCloudPlugins() = default;
};
