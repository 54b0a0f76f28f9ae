// IAppDeployList: the deployment list, an INI file with a section "Public"
// (key "MinimumValidVersion") and one section per app (keys "OnlineTime",
// "OfflineTime", "Deploying"). Section and key names compare without ASCII
// case. Made by ICloudConfigManager::CreateAppDeployList.
//
// States: not open (new) and open after the first successful Open or
// ReloadApps; a later failure never closes it. Getters give false while not
// open, and for an empty or absent value. WriteApp and DeleteApp work on the
// path they are given, open or not. Values come back cut to 259 units.
//
// One thread at a time; the object takes no lock.
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "libpelcor/pelcor_export.h"

class PELCOR_INTERFACE IAppDeployList {
 public:
  // Ends the object (Destroy(1)).
  virtual void Release() = 0;
  virtual bool IsOpen() = 0;
  // Reads the section names. None (missing file, no section): false and
  // `error` = path + " the file is empty", state unchanged. Otherwise the
  // object is open on `path` and every section except "Public" is appended
  // to its app list (not emptied first).
  virtual bool Open(const char16_t* path, std::u16string& error) = 0;
  // The caller's list becomes a copy of the app list.
  virtual bool GetApps(std::list<std::u16string>& apps) = 0;
  virtual bool GetMinimumValidVersion(std::u16string& version) = 0;
  virtual bool GetOnlineTime(const std::u16string& app, std::u16string& time) = 0;
  virtual bool GetOfflineTime(const std::u16string& app, std::u16string& time) = 0;
  // "true" or "false" (any case) set `deploying` and give true; any other
  // value gives false and leaves `deploying` alone.
  virtual bool IsDeploying(const std::u16string& app, bool& deploying) = 0;
  // Writes "Public"/"MinimumValidVersion" and the app's two times (a new
  // section holds exactly those two keys; an existing one keeps its other
  // keys) in one replacement of the file: all or nothing. False, with the
  // file as it was, when any value is refused (a line break, a character
  // the file's encoding cannot hold) or the file cannot be written.
  virtual bool WriteApp(const char16_t* path, const char16_t* app, const char16_t* minimumValidVersion,
                        const char16_t* onlineTime, const char16_t* offlineTime) = 0;
  // Deletes the app's whole section.
  virtual bool DeleteApp(const char16_t* path, const char16_t* app) = 0;
  // Empties `apps` and the app list, opens `path` again and copies the app
  // list into `apps`: 0, or -2 when the file is missing or has no section.
  virtual std::int32_t ReloadApps(const std::u16string& path, std::list<std::u16string>& apps) = 0;
  virtual void ClearAppList(std::list<std::u16string>& apps) = 0;
  // Frees the object's path and app list; frees the object when bit 0 of
  // `flags` is set.
  virtual void Destroy(unsigned flags) = 0;

 protected:
  virtual ~IAppDeployList() = default;
};
