// CHVDeploySolution: one deploy solution, named by its project path
// ("projectpath"), with its folders in order ("folder"). Owned by the
// caller that made it until a manager adopts it (Add), then by that
// manager; it owns its folders. One thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hv_deploy_solution_archive.h"
#include "hv_deploy_solution_folder.h"
#include "hv_owned_objects.h"
#include "libpelcor/i_hv_deploy_solution.h"

class CHVDeploySolution final : public CHVDeploySolutionArchive, public IHVDeploySolution, public CHVAdoptable {
 public:
  CHVDeploySolution() = default;
  // A deep copy (new folder and web-API objects); the copy belongs to
  // nobody yet. Throws std::bad_alloc.
  CHVDeploySolution(const CHVDeploySolution& other);
  CHVDeploySolution& operator=(const CHVDeploySolution&) = delete;
  ~CHVDeploySolution() override = default;

  void Release() override { delete this; }
  bool IsValid() override { return !m_name.empty() && !m_folders.Empty(); }
  void Clear() override;
  void SetName(const char16_t* name) override;
  const char16_t* GetName() override { return m_name.c_str(); }
  unsigned FolderCount() override { return m_folders.Count(); }
  IHVDeploySolutionFolder* CreateFolder() override;
  bool AddFolder(IHVDeploySolutionFolder* folder) override { return m_folders.Adopt(folder); }
  IHVDeploySolutionFolder* GetFolder(unsigned index) override { return m_folders.At(index); }
  IHVDeploySolutionFolder* FindFolder(const char16_t* name) override;
  void RemoveAll() override { m_folders.Clear(); }

  const std::u16string& Name() const { return m_name; }

  // Reads the name, then appends one folder per element of "folder" (none
  // when it is missing or not an array). 7 when a folder cannot be made
  // (the folders read so far stay); else 0. Throws std::bad_alloc.
  std::uint32_t ReadValue(JsonDocument& document, const JsonValue& value) override;
  // "projectpath", then "folder" with one object per folder.
  std::uint32_t WriteValue(JsonDocument& document, JsonValue& value) override;

 private:
  std::u16string m_name;
  CHVOwnedObjects<CHVDeploySolutionFolder, std::vector> m_folders;
};
