#include "hv_deploy_solution_mgr.h"

#include <new>

#include "boundary_guard.h"
#include "json_file.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "platform/files.h"
#include "text_conversion.h"

namespace {

constexpr char16_t kFileName[] = u"HVSolutionConfig.json";

// Matches a solution named exactly `name` (same length, same units).
auto NamedExactly(const char16_t* name) {
  return [wanted = platform::WStringView(name)](const CHVDeploySolution& solution) { return solution.Name() == wanted; };
}

}  // namespace

CHVDeploySolutionMgr::CHVDeploySolutionMgr(const CHVDeploySolutionMgr& other)
    : CHVDeploySolutionArchive(), IHVDeploySolutionMgr(), m_solutions(other.m_solutions), m_folder(other.m_folder) {}

std::uint32_t CHVDeploySolutionMgr::Load(const char16_t* folder) {
  return Guarded<std::uint32_t>(CONFIG_INVALID_JSON, [&] {
    // The list belongs to the folder named now: what was read from another
    // folder must not be saved into this one, even when this load fails.
    m_solutions.Clear();
    m_folder = TextView(folder);
    JsonDocument document;
    const std::uint32_t code = LoadJsonFile(document, platform::JoinPath(m_folder, kFileName).c_str());
    return code != CONFIG_OK ? code : ReadDocument(document);
  });
}

std::uint32_t CHVDeploySolutionMgr::Save() {
  return Guarded<std::uint32_t>(CONFIG_INVALID_JSON, [&] {
    JsonDocument document;
    const std::uint32_t code = WriteDocument(document);
    return code != CONFIG_OK ? code : SaveJsonFile(document, platform::JoinPath(m_folder, kFileName).c_str());
  });
}

IHVDeploySolutionMgr* CHVDeploySolutionMgr::Clone() {
  return Guarded<IHVDeploySolutionMgr*>(nullptr, [&] { return new CHVDeploySolutionMgr(*this); });
}

IHVDeploySolution* CHVDeploySolutionMgr::CreateSolution() { return new (std::nothrow) CHVDeploySolution(); }

bool CHVDeploySolutionMgr::Remove(const char16_t* name) {
  return name != nullptr && m_solutions.Remove(NamedExactly(name));
}

IHVDeploySolution* CHVDeploySolutionMgr::FindByName(const char16_t* name) {
  return name != nullptr ? m_solutions.Find(NamedExactly(name)) : nullptr;
}

std::uint32_t CHVDeploySolutionMgr::ReadDocument(JsonDocument& document) {
  m_solutions.Clear();
  if (!document.Root().IsObject()) return CONFIG_INVALID_JSON;
  const JsonValue* solutions = nullptr;
  const std::uint32_t code = FindRequiredArray(document.Root(), u"solution", solutions);
  return code != CONFIG_OK ? code : m_solutions.ReadArray(document, *solutions);
}

std::uint32_t CHVDeploySolutionMgr::WriteDocument(JsonDocument& document) {
  document.Root().SetObject();
  JsonObjectBuilder solutions(document, JsonObjectBuilder::Kind::kArray);
  m_solutions.WriteArray(document, solutions);
  JsonObjectBuilder(document, document.Root()).AddValue(u"solution", solutions);
  return CONFIG_OK;
}
