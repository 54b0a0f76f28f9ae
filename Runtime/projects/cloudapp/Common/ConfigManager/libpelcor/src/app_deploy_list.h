// CAppDeployList: the deployment list, an INI file (contract in
// libpelcor/i_app_deploy_list.h), read and written through platform's
// profile functions. One thread at a time.
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "libpelcor/i_app_deploy_list.h"

class CAppDeployList final : public IAppDeployList {
 public:
  CAppDeployList() = default;
  CAppDeployList(const CAppDeployList&) = delete;
  CAppDeployList& operator=(const CAppDeployList&) = delete;

  void Release() override { Destroy(1); }
  bool IsOpen() override { return m_open; }
  bool Open(const char16_t* path, std::u16string& error) override;
  bool GetApps(std::list<std::u16string>& apps) override;
  bool GetMinimumValidVersion(std::u16string& version) override;
  bool GetOnlineTime(const std::u16string& app, std::u16string& time) override;
  bool GetOfflineTime(const std::u16string& app, std::u16string& time) override;
  bool IsDeploying(const std::u16string& app, bool& deploying) override;
  bool WriteApp(const char16_t* path, const char16_t* app, const char16_t* minimumValidVersion,
                const char16_t* onlineTime, const char16_t* offlineTime) override;
  bool DeleteApp(const char16_t* path, const char16_t* app) override;
  std::int32_t ReloadApps(const std::u16string& path, std::list<std::u16string>& apps) override;
  void ClearAppList(std::list<std::u16string>& apps) override { apps.clear(); }
  // With bit 0 clear the object stays, not open, without path or apps.
  void Destroy(unsigned flags) override;

 private:
  ~CAppDeployList() override = default;

  // The value of `key` in `section` of the open file into `value`: false
  // while not open and for an empty or absent value (`value` untouched).
  bool ReadValue(std::u16string_view section, std::u16string_view key, std::u16string& value);

  bool m_open = false;
  std::list<std::u16string> m_apps;
  std::u16string m_path;
};
