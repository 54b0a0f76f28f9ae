#include "hv_deploy_solution_web_api.h"

#include "boundary_guard.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "text_conversion.h"

void CHVDeploySolutionWebApi::SetHosts(const char16_t* hosts) {
  GuardedCall([&] { m_hosts = TextView(hosts); });
}

void CHVDeploySolutionWebApi::SetUrl(const char16_t* url) {
  GuardedCall([&] { m_url = TextView(url); });
}

void CHVDeploySolutionWebApi::ClearAllButUrl() {
  m_hosts.clear();
  m_https = false;
  m_port = 0;
}

std::uint32_t CHVDeploySolutionWebApi::ReadValue(JsonDocument&, const JsonValue& value) {
  const JsonValue* webapi = FindMember(value, u"webapi");
  if (webapi == nullptr || !webapi->IsObject()) return CONFIG_MISSING_MEMBER;
  m_hosts = GetStringMember(*webapi, u"hosts");
  m_https = GetBoolMember(*webapi, u"https", false);
  m_port = GetUintMember(*webapi, u"port", 0);
  m_url = GetStringMember(*webapi, u"url");
  return CONFIG_OK;
}

std::uint32_t CHVDeploySolutionWebApi::WriteValue(JsonDocument& document, JsonValue& value) {
  JsonObjectBuilder webapi(document, JsonObjectBuilder::Kind::kObject);
  webapi.AddString(u"hosts", m_hosts);
  webapi.AddBool(u"https", m_https);
  webapi.AddUint(u"port", m_port);
  webapi.AddString(u"url", m_url);
  JsonObjectBuilder(document, value).AddValue(u"webapi", webapi);
  return CONFIG_OK;
}
