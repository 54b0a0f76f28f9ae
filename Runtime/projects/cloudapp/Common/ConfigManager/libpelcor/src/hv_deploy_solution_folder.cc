#include "hv_deploy_solution_folder.h"

#include "boundary_guard.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "text_conversion.h"

CHVDeploySolutionFolder::CHVDeploySolutionFolder(const CHVDeploySolutionFolder& other)
    : CHVDeploySolutionArchive(),
      IHVDeploySolutionFolder(),
      CHVAdoptable(),
      m_name(other.m_name),
      m_webApi(other.m_webApi) {}

bool CHVDeploySolutionFolder::IsValid() { return !m_name.empty() && !m_webApi.HasHosts(); }

void CHVDeploySolutionFolder::Clear() {
  m_name.clear();
  m_webApi.ClearAllButUrl();
}

void CHVDeploySolutionFolder::SetName(const char16_t* name) {
  GuardedCall([&] { m_name = TextView(name); });
}

std::uint32_t CHVDeploySolutionFolder::ReadValue(JsonDocument& document, const JsonValue& value) {
  const std::uint32_t code = m_webApi.ReadValue(document, value);
  m_name = GetStringMember(value, u"foldername");
  return code;
}

std::uint32_t CHVDeploySolutionFolder::WriteValue(JsonDocument& document, JsonValue& value) {
  const std::uint32_t code = m_webApi.WriteValue(document, value);
  JsonObjectBuilder(document, value).AddString(u"foldername", m_name);
  return code;
}
