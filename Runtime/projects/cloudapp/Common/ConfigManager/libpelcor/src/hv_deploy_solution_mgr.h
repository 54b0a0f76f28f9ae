// CHVDeploySolutionMgr: the deploy-solution list of one workspace folder,
// the file "HVSolutionConfig.json" in it (contract in
// libpelcor/i_hv_deploy_solution.h). Owns its solutions. One thread at a
// time.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "hv_deploy_solution.h"
#include "hv_deploy_solution_archive.h"
#include "hv_owned_objects.h"
#include "libpelcor/i_hv_deploy_solution.h"

class CHVDeploySolutionMgr final : public CHVDeploySolutionArchive, public IHVDeploySolutionMgr {
 public:
  CHVDeploySolutionMgr() = default;
  // A deep copy with the same folder. Throws std::bad_alloc.
  CHVDeploySolutionMgr(const CHVDeploySolutionMgr& other);
  CHVDeploySolutionMgr& operator=(const CHVDeploySolutionMgr&) = delete;
  ~CHVDeploySolutionMgr() override = default;

  void Release() override { delete this; }
  std::uint32_t Load(const char16_t* folder) override;
  std::uint32_t Save() override;
  bool IsEmpty() override { return m_solutions.Empty(); }
  unsigned Count() override { return m_solutions.Count(); }
  IHVDeploySolution* GetAt(unsigned index) override { return m_solutions.At(index); }
  void Clear() override { m_solutions.Clear(); }
  IHVDeploySolutionMgr* Clone() override;
  IHVDeploySolution* CreateSolution() override;
  bool Add(IHVDeploySolution* solution) override { return m_solutions.Adopt(solution); }
  bool Remove(const char16_t* name) override;
  IHVDeploySolution* FindByName(const char16_t* name) override;

  // Replaces the solutions by those of the root's "solution" array: 4 when
  // it is missing, 3 when it or the root is of another type, 7 when a
  // solution cannot be made (those read so far stay); else 0. Throws
  // std::bad_alloc.
  std::uint32_t ReadDocument(JsonDocument& document) override;
  // Makes the root an object holding "solution". Throws std::bad_alloc.
  std::uint32_t WriteDocument(JsonDocument& document) override;

 private:
  CHVOwnedObjects<CHVDeploySolution, std::deque> m_solutions;
  std::u16string m_folder;
};
