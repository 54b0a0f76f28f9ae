// CRuntimeManifest: the library's IRuntimeManifest (contract in
// libpelcor/i_runtime_manifest.h).
//
// The object keeps one UTF-16 document. Its "modules" and "groups" arrays
// are looked up in the root whenever an operation needs them, never cached,
// so adding members to the root can leave nothing dangling. A load parses
// into a new document and replaces the old one only when the new one is a
// valid manifest. Every operation catches what the JSON layer throws
// (allocation failure) and reports it as its failure value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "json_document.h"
#include "libpelcor/i_runtime_manifest.h"

class CRuntimeManifest final : public IRuntimeManifest {
 public:
  CRuntimeManifest() = default;
  CRuntimeManifest(const CRuntimeManifest&) = delete;
  CRuntimeManifest& operator=(const CRuntimeManifest&) = delete;

  void Release() override;
  bool Load(const char16_t* path, std::u16string& error) override;
  bool IsLoaded() override;
  bool GetModuleNames(std::vector<std::u16string>& names) override;
  bool HasPackage(const std::u16string& module, bool& packed) override;
  bool GetOption(const std::u16string& module, std::int32_t& option) override;
  bool GetDescription(const std::u16string& module, std::u16string& description) override;
  bool GetGroupId(const std::u16string& module, std::int32_t& groupId) override;
  bool GetClientType(const std::u16string& module, std::int32_t& clientType) override;
  bool GetFilesOfModules(const std::vector<std::u16string>& modules, CloudFileList& files) override;
  bool GetFilesOfModule(const std::u16string& module, CloudFileList& files) override;
  bool GetAllFiles(CloudFileList& files) override;
  bool GetVersion(std::u16string& version) override;
  bool GetFormat(std::u16string& format) override;
  bool MapFilesOfModules(const std::vector<std::u16string>& modules, CloudFileMap& files) override;
  bool MapFilesOfModule(const std::u16string& module, CloudFileMap& files) override;
  bool MapAllFiles(CloudFileMap& files) override;
  bool Save(const char16_t* path) override;
  bool AddModule(const std::u16string& module) override;
  bool SetPackaged(const std::u16string& module, bool packed) override;
  bool SetOption(const std::u16string& module, std::int32_t option) override;
  bool SetDescription(const std::u16string& module, const char16_t* description) override;
  bool SetGroupId(const std::u16string& module, std::int32_t groupId) override;
  bool SetClientType(const std::u16string& module, std::int32_t clientType) override;
  bool SetFiles(const std::u16string& module, const CloudFileList& files) override;
  bool SetVersion(const std::u16string& version) override;
  bool SetFormat(const std::u16string& format) override;
  bool AddGroup(std::int32_t groupId, const char16_t* name) override;
  bool RemoveGroup(std::int32_t groupId) override;
  bool SetGroupName(std::int32_t groupId, const char16_t* name) override;
  bool GetGroupIds(std::vector<int>& groupIds) override;
  bool GetGroupName(std::int32_t groupId, std::u16string& name) override;
  bool SetDbi(std::int32_t groupId, bool dbi) override;
  bool GetDbi(std::int32_t groupId, bool& dbi) override;
  void Destroy(unsigned flags) override;

  // Load's work on bytes already read: `path` serves the messages only.
  // The fuzz target enters here.
  bool LoadBytes(std::string_view bytes, std::u16string_view path, std::u16string& error);

 private:
  ~CRuntimeManifest() override = default;

  // The root's "modules" and "groups" when they are arrays; null otherwise
  // (and while there is no document).
  JsonValue* Modules();
  JsonValue* Groups();
  // The first module whose "name" (member name without ASCII case) is a
  // string equal to `name` without ASCII case; the first group whose
  // "groupid" is the integer `id`. Null when none.
  JsonValue* FindModule(std::u16string_view name);
  JsonValue* FindGroup(std::int32_t id);
  // Calls visit(file) for every file object of the module ("files" found
  // without ASCII case); false when the module has no such array.
  template <typename Visit>
  static bool ForEachFile(const JsonValue& module, Visit visit);
  // Calls add(record) for every file of the named modules, in order.
  template <typename Add>
  bool CollectFiles(const std::vector<std::u16string>& modules, Add add);
  template <typename Add>
  bool CollectAllFiles(Add add);

  // The root's text member (loaded only): false and an empty `text` when
  // it is absent or not a string.
  bool GetRootText(std::u16string_view name, std::u16string& text);
  // Sets or adds the root's text member, making an empty manifest first
  // when not loaded.
  bool SetRootText(std::u16string_view name, std::u16string_view text);

  // The root becomes {"modules": [], "groups": []} in a new document; the
  // manifest is then loaded.
  void CreateEmptyManifest();
  // CreateEmptyManifest unless loaded.
  void EnsureLoaded();
  // The root's "groups" array, added empty when the root has none; null
  // when the root holds a "groups" of another type.
  JsonValue* AddGroupsArray();
  // Gives a member of the named module a value through set(document,
  // module); false when the module is missing.
  template <typename Set>
  bool SetModuleMember(const std::u16string& module, Set set);

  std::unique_ptr<JsonDocument> m_document;
  bool m_loaded = false;
};
