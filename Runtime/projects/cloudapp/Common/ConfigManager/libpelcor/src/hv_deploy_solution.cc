#include "hv_deploy_solution.h"

#include <new>

#include "boundary_guard.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "text_conversion.h"

CHVDeploySolution::CHVDeploySolution(const CHVDeploySolution& other)
    : CHVDeploySolutionArchive(), IHVDeploySolution(), CHVAdoptable(), m_name(other.m_name), m_folders(other.m_folders) {}

void CHVDeploySolution::Clear() {
  m_name.clear();
  m_folders.Clear();
}

void CHVDeploySolution::SetName(const char16_t* name) {
  GuardedCall([&] { m_name = TextView(name); });
}

IHVDeploySolutionFolder* CHVDeploySolution::CreateFolder() { return new (std::nothrow) CHVDeploySolutionFolder(); }

IHVDeploySolutionFolder* CHVDeploySolution::FindFolder(const char16_t* name) {
  if (name == nullptr) return nullptr;
  const platform::WStringView wanted(name);
  return m_folders.Find([&](const CHVDeploySolutionFolder& folder) { return folder.Name() == wanted; });
}

std::uint32_t CHVDeploySolution::ReadValue(JsonDocument& document, const JsonValue& value) {
  m_name = GetStringMember(value, u"projectpath");
  const JsonValue* folders = FindMember(value, u"folder");
  if (folders == nullptr || !folders->IsArray()) return CONFIG_OK;
  return m_folders.ReadArray(document, *folders);
}

std::uint32_t CHVDeploySolution::WriteValue(JsonDocument& document, JsonValue& value) {
  JsonObjectBuilder solution(document, value);
  solution.AddString(u"projectpath", m_name);
  JsonObjectBuilder folders(document, JsonObjectBuilder::Kind::kArray);
  m_folders.WriteArray(document, folders);
  solution.AddValue(u"folder", folders);
  return CONFIG_OK;
}
