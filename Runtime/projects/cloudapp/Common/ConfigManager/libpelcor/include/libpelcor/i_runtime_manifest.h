// IRuntimeManifest: one runtime manifest file (modules with their files,
// groups) to read, query, edit and write. Made by
// ICloudConfigManager::CreateRuntimeManifest.
//
// States: not loaded (new) and loaded (after a successful Load, or after an
// editing operation made an empty manifest). A failed Load keeps the
// previous document; it leaves the state as it was when the file could not
// be read, and makes the manifest not loaded when the file is not JSON or
// has no "modules" array. Module operations need only a "modules" array (so
// they still answer from the previous document after a failed reload);
// version, format and group operations need the loaded state. The editing
// operations that need no module (AddModule, SetVersion, SetFormat,
// AddGroup, SetGroupName, SetDbi) first make a manifest that is not loaded
// an empty one, {"modules": [], "groups": []}, dropping what it held.
//
// Modules are found by their "name" member (the member name compared
// without ASCII case) whose text equals the requested name without ASCII
// case; the first match wins. Groups are found by "groupid". List and map
// results are appended to the caller's containers, which are not emptied
// first; a map keeps the entry already under a key (key: Path, "\" unless
// Path is empty or ends in "\", Name). Only well-typed parts are read: a
// module, file or group that is not an object is skipped, a "files" that is
// not an array gives no files, a member of another type than the format's
// is read as absent. The document's members and their JSON types:
// runtime_modules_record.h and, for the file objects, cloud_file_info.h.
// The operations report allocation failure as false.
//
// One thread at a time; the object takes no lock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "libpelcor/cloud_file_info.h"
#include "libpelcor/pelcor_export.h"

class PELCOR_INTERFACE IRuntimeManifest {
 public:
  // Ends the object (Destroy(1)).
  virtual void Release() = 0;
  // Reads the file in any UTF encoding. It must be JSON with a "modules"
  // array. On failure `error` says why (open, parse with code and offset, or
  // the invalid member) and the object keeps its previous document.
  virtual bool Load(const char16_t* path, std::u16string& error) = 0;
  virtual bool IsLoaded() = 0;
  // Appends the name of every module that has one.
  virtual bool GetModuleNames(std::vector<std::u16string>& names) = 0;
  // True (and `packed` true) when one of the module's files is a package.
  virtual bool HasPackage(const std::u16string& module, bool& packed) = 0;
  // Missing module or option: 1 and false. A boolean gives 0 or 1; another
  // non-integer type leaves `option` alone (true).
  virtual bool GetOption(const std::u16string& module, std::int32_t& option) = 0;
  virtual bool GetDescription(const std::u16string& module, std::u16string& description) = 0;
  // No integer "groupid": 0 and false.
  virtual bool GetGroupId(const std::u16string& module, std::int32_t& groupId) = 0;
  // Missing module: 0 and false; no integer "clienttype": 1 and true.
  virtual bool GetClientType(const std::u16string& module, std::int32_t& clientType) = 0;
  // Appends the files of the named modules in order (missing modules are
  // skipped; the "files" member is found without ASCII case).
  virtual bool GetFilesOfModules(const std::vector<std::u16string>& modules, CloudFileList& files) = 0;
  virtual bool GetFilesOfModule(const std::u16string& module, CloudFileList& files) = 0;
  // The files of every module, in document order.
  virtual bool GetAllFiles(CloudFileList& files) = 0;
  // False (and an empty text) when the root has no such string.
  virtual bool GetVersion(std::u16string& version) = 0;
  virtual bool GetFormat(std::u16string& format) = 0;
  virtual bool MapFilesOfModules(const std::vector<std::u16string>& modules, CloudFileMap& files) = 0;
  virtual bool MapFilesOfModule(const std::u16string& module, CloudFileMap& files) = 0;
  virtual bool MapAllFiles(CloudFileMap& files) = 0;
  // Writes the document as compact UTF-8 without a byte-order mark,
  // replacing the file atomically. False when it cannot (a read-only file,
  // a missing folder, a full disk): the previous file is then left as it
  // was. A manifest that was never loaded or edited writes null.
  virtual bool Save(const char16_t* path) = 0;
  // Adds {"name": module} unless the module exists.
  virtual bool AddModule(const std::u16string& module) = 0;
  // Packs (one package entry module + ".zip" at the front, PackageName set
  // on the other files) or unpacks (package entries removed, PackageName
  // emptied) the module's files.
  virtual bool SetPackaged(const std::u16string& module, bool packed) = 0;
  virtual bool SetOption(const std::u16string& module, std::int32_t option) = 0;
  // A null description stores the empty text.
  virtual bool SetDescription(const std::u16string& module, const char16_t* description) = 0;
  virtual bool SetGroupId(const std::u16string& module, std::int32_t groupId) = 0;
  virtual bool SetClientType(const std::u16string& module, std::int32_t clientType) = 0;
  // Replaces the module's files (its "files" member, found without ASCII
  // case) with the entries of the list; UpdateType is not written.
  virtual bool SetFiles(const std::u16string& module, const CloudFileList& files) = 0;
  virtual bool SetVersion(const std::u16string& version) = 0;
  virtual bool SetFormat(const std::u16string& format) = 0;
  // Appends {"groupid", "name"}; no check for a duplicate id.
  virtual bool AddGroup(std::int32_t groupId, const char16_t* name) = 0;
  // Erases the first group with that id.
  virtual bool RemoveGroup(std::int32_t groupId) = 0;
  // Adds the group when it is missing.
  virtual bool SetGroupName(std::int32_t groupId, const char16_t* name) = 0;
  virtual bool GetGroupIds(std::vector<int>& groupIds) = 0;
  virtual bool GetGroupName(std::int32_t groupId, std::u16string& name) = 0;
  virtual bool SetDbi(std::int32_t groupId, bool dbi) = 0;
  // `dbi` is false unless the group has a boolean "dbi".
  virtual bool GetDbi(std::int32_t groupId, bool& dbi) = 0;
  // Frees the document; frees the object when bit 0 of `flags` is set.
  virtual void Destroy(unsigned flags) = 0;

 protected:
  virtual ~IRuntimeManifest() = default;
};
