// CHVDeploySolutionWebApi: a folder's web-API settings ("webapi": "hosts",
// "https", "port", "url"). Held by value inside its folder. Setters take a
// null text as empty; texts returned stay valid while the object lives
// unchanged. One thread at a time.
#pragma once

#include <cstdint>
#include <string>

#include "hv_deploy_solution_archive.h"
#include "libpelcor/i_hv_deploy_solution.h"

class CHVDeploySolutionWebApi final : public CHVDeploySolutionArchive, public IHVDeploySolutionWebApi {
 public:
  CHVDeploySolutionWebApi() = default;
  CHVDeploySolutionWebApi(const CHVDeploySolutionWebApi&) = default;
  CHVDeploySolutionWebApi& operator=(const CHVDeploySolutionWebApi&) = default;
  ~CHVDeploySolutionWebApi() override = default;

  void SetHttps(bool https) override { m_https = https; }
  bool GetHttps() override { return m_https; }
  void SetHosts(const char16_t* hosts) override;
  const char16_t* GetHosts() override { return m_hosts.c_str(); }
  void SetPort(unsigned port) override { m_port = port; }
  unsigned GetPort() override { return m_port; }
  void SetUrl(const char16_t* url) override;
  const char16_t* GetUrl() override { return m_url.c_str(); }

  bool HasHosts() const { return !m_hosts.empty(); }
  // Empties the hosts, clears https and the port; the URL stays.
  void ClearAllButUrl();

  // `value` is the folder's object: its "webapi" member is read (4 and
  // nothing changed when it is missing or not an object) or appended.
  std::uint32_t ReadValue(JsonDocument& document, const JsonValue& value) override;
  std::uint32_t WriteValue(JsonDocument& document, JsonValue& value) override;

 private:
  std::u16string m_hosts;
  bool m_https = false;
  std::uint32_t m_port = 0;
  std::u16string m_url;
};
