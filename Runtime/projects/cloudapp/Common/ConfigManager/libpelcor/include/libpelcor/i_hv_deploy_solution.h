// The deploy-solution list of a workspace folder ("HVSolutionConfig.json"
// in that folder): solutions (by project path), each with folders, each
// with its web-API settings. Made by
// ICloudConfigManager::CreateDeploySolutionMgr.
//
// Ownership: an object made by CreateSolution or CreateFolder belongs to
// the caller until Add or AddFolder accepts it; then its container ends it
// (Clear, Remove, RemoveAll, Release). Pointers from GetAt, FindByName,
// GetFolder, FindFolder and GetWebApi are views, valid while their
// container holds the object. Returned texts are valid while the object
// lives unchanged. Names compare exactly (case-sensitive).
//
// The file is a JSON object; a member of another JSON type than the one
// named reads as absent (an integer as its low 32 bits, fixed_record.h):
//   "solution": array of solution objects; missing: Load gives
//               CONFIG_MISSING_MEMBER, of another type CONFIG_INVALID_JSON
//   solution:   "projectpath" (string, the name), "folder" (array of folder
//               objects; absent or of another type: no folders)
//   folder:     "webapi" (object: "hosts" string, "https" true/false,
//               "port" integer, "url" string; absent or of another type:
//               empty settings), "foldername" (string, the name)
// An element of "solution" or "folder" that is not an object gives a
// solution or folder with an empty name. Save writes these members in this
// order.
//
// One thread at a time; the objects take no lock.
#pragma once

#include <cstdint>

#include "libpelcor/pelcor_export.h"

class PELCOR_INTERFACE IHVDeploySolutionWebApi {
 public:
  virtual void SetHttps(bool https) = 0;
  virtual bool GetHttps() = 0;
  virtual void SetHosts(const char16_t* hosts) = 0;
  virtual const char16_t* GetHosts() = 0;
  virtual void SetPort(unsigned port) = 0;
  virtual unsigned GetPort() = 0;
  virtual void SetUrl(const char16_t* url) = 0;
  virtual const char16_t* GetUrl() = 0;

 protected:
  virtual ~IHVDeploySolutionWebApi() = default;
};

class PELCOR_INTERFACE IHVDeploySolutionFolder {
 public:
  virtual void Release() = 0;
  // The name is set and the hosts text is empty.
  virtual bool IsValid() = 0;
  // Empties the name and hosts, clears https and port (the URL stays).
  virtual void Clear() = 0;
  // The folder's own web-API settings, living as long as the folder.
  virtual IHVDeploySolutionWebApi* GetWebApi() = 0;
  virtual void SetName(const char16_t* name) = 0;
  virtual const char16_t* GetName() = 0;

 protected:
  virtual ~IHVDeploySolutionFolder() = default;
};

class PELCOR_INTERFACE IHVDeploySolution {
 public:
  // Ends the solution with its folders.
  virtual void Release() = 0;
  // The name is set and there is at least one folder.
  virtual bool IsValid() = 0;
  // Empties the name and ends every folder.
  virtual void Clear() = 0;
  virtual void SetName(const char16_t* name) = 0;
  virtual const char16_t* GetName() = 0;
  virtual unsigned FolderCount() = 0;
  virtual IHVDeploySolutionFolder* CreateFolder() = 0;
  // False for an object that this library did not make as a folder.
  virtual bool AddFolder(IHVDeploySolutionFolder* folder) = 0;
  // Null for an index at or beyond FolderCount().
  virtual IHVDeploySolutionFolder* GetFolder(unsigned index) = 0;
  virtual IHVDeploySolutionFolder* FindFolder(const char16_t* name) = 0;
  // Ends every folder; the name stays.
  virtual void RemoveAll() = 0;

 protected:
  virtual ~IHVDeploySolution() = default;
};

class PELCOR_INTERFACE IHVDeploySolutionMgr {
 public:
  // Ends the manager with every solution.
  virtual void Release() = 0;
  // Remembers the folder, then reads its list: EN_CONFIG_RESULT 0, 1, 2, 3,
  // 4 (no "solution") or 7; the previous solutions are ended first.
  virtual std::uint32_t Load(const char16_t* folder) = 0;
  // Writes the list to the remembered folder: 0, 3, 5 or 6.
  virtual std::uint32_t Save() = 0;
  virtual bool IsEmpty() = 0;
  virtual unsigned Count() = 0;
  // Null for an index at or beyond Count().
  virtual IHVDeploySolution* GetAt(unsigned index) = 0;
  virtual void Clear() = 0;
  // A deep copy with the same folder, owned by the caller.
  virtual IHVDeploySolutionMgr* Clone() = 0;
  virtual IHVDeploySolution* CreateSolution() = 0;
  // False for null or an object that this library did not make as a
  // solution; otherwise appended and owned by the manager.
  virtual bool Add(IHVDeploySolution* solution) = 0;
  // Ends and erases the first solution with that name.
  virtual bool Remove(const char16_t* name) = 0;
  virtual IHVDeploySolution* FindByName(const char16_t* name) = 0;

 protected:
  virtual ~IHVDeploySolutionMgr() = default;
};
