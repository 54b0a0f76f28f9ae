#include "runtime_manifest.h"

#include <optional>
#include <utility>

#include "boundary_guard.h"
#include "cloud_file_key.h"
#include "json_error_text.h"
#include "json_file.h"
#include "json_member_update.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/wide_string.h"
#include "runtime_file_entry.h"
#include "text_conversion.h"

namespace {

std::u16string OpenFailureMessage(std::u16string_view path) {
  return platform::Format(u"Failed to open the file \"%s\".", {path});
}

std::u16string InvalidMemberMessage(std::u16string_view path, std::u16string_view member) {
  return platform::Format(u"Failed to parse the file \"%s\". Invalid json member \"%s\".", {path, member});
}

JsonValue* ArrayMember(JsonValue& object, std::u16string_view name) {
  JsonValue* member = FindMember(object, name);
  return member != nullptr && member->IsArray() ? member : nullptr;
}

}  // namespace

// Lifetime and loading.

void CRuntimeManifest::Release() { Destroy(1); }

void CRuntimeManifest::Destroy(unsigned flags) {
  m_document.reset();
  m_loaded = false;
  if ((flags & 1) != 0) delete this;
}

bool CRuntimeManifest::IsLoaded() { return m_loaded; }

bool CRuntimeManifest::Load(const char16_t* path, std::u16string& error) {
  return Guarded(false, [&] {
    const std::u16string_view shown = TextView(path);
    const std::optional<std::string> bytes = path != nullptr ? platform::ReadWholeFile(path) : std::nullopt;
    if (!bytes) {
      error = OpenFailureMessage(shown);
      return false;
    }
    return LoadBytes(*bytes, shown, error);
  });
}

bool CRuntimeManifest::LoadBytes(std::string_view bytes, std::u16string_view path, std::u16string& error) {
  return Guarded(false, [&] {
    auto document = std::make_unique<JsonDocument>();
    std::u16string message;
    if (ParseJsonText(*document, bytes.data(), bytes.size()) != CONFIG_OK) {
      message = ParseFailureMessage(path, *document);
    } else if (ArrayMember(document->Root(), u"modules") == nullptr) {
      message = InvalidMemberMessage(path, u"modules");
    } else {
      m_document = std::move(document);
    }
    m_loaded = message.empty();
    error = std::move(message);
    return m_loaded;
  });
}

// Looking things up.

JsonValue* CRuntimeManifest::Modules() {
  return m_document != nullptr ? ArrayMember(m_document->Root(), u"modules") : nullptr;
}

JsonValue* CRuntimeManifest::Groups() {
  return m_document != nullptr ? ArrayMember(m_document->Root(), u"groups") : nullptr;
}

JsonValue* CRuntimeManifest::FindModule(std::u16string_view name) {
  JsonValue* modules = Modules();
  if (modules == nullptr) return nullptr;
  for (JsonValue& module : modules->GetArray()) {
    const JsonValue* module_name = FindMemberNoCase(module, u"name");
    if (module_name != nullptr && module_name->IsString() && platform::WEqualsNoCase(StringOf(*module_name), name)) {
      return &module;
    }
  }
  return nullptr;
}

JsonValue* CRuntimeManifest::FindGroup(std::int32_t id) {
  JsonValue* groups = Groups();
  if (groups == nullptr) return nullptr;
  for (JsonValue& group : groups->GetArray()) {
    const JsonValue* group_id = FindMember(group, u"groupid");
    std::int32_t number;
    if (group_id != nullptr && ReadInt32(*group_id, number) && number == id) return &group;
  }
  return nullptr;
}

template <typename Visit>
bool CRuntimeManifest::ForEachFile(const JsonValue& module, Visit visit) {
  const JsonValue* files = FindMemberNoCase(module, u"files");
  if (files == nullptr || !files->IsArray()) return false;
  for (const JsonValue& file : files->GetArray()) {
    if (file.IsObject()) visit(file);
  }
  return true;
}

template <typename Add>
bool CRuntimeManifest::CollectFiles(const std::vector<std::u16string>& modules, Add add) {
  if (Modules() == nullptr) return false;
  for (const std::u16string& name : modules) {
    const JsonValue* module = FindModule(name);
    if (module != nullptr) ForEachFile(*module, [&](const JsonValue& file) { add(ReadFileEntry(file)); });
  }
  return true;
}

template <typename Add>
bool CRuntimeManifest::CollectAllFiles(Add add) {
  const JsonValue* modules = Modules();
  if (modules == nullptr) return false;
  for (const JsonValue& module : modules->GetArray()) {
    ForEachFile(module, [&](const JsonValue& file) { add(ReadFileEntry(file)); });
  }
  return true;
}

// Module queries.

bool CRuntimeManifest::GetModuleNames(std::vector<std::u16string>& names) {
  return Guarded(false, [&] {
    const JsonValue* modules = Modules();
    if (modules == nullptr) return false;
    for (const JsonValue& module : modules->GetArray()) {
      const JsonValue* name = FindMemberNoCase(module, u"name");
      if (name != nullptr && name->IsString()) names.emplace_back(StringOf(*name));
    }
    return true;
  });
}

bool CRuntimeManifest::HasPackage(const std::u16string& module, bool& packed) {
  packed = false;
  const JsonValue* found = FindModule(module);
  if (found == nullptr) return false;
  ForEachFile(*found, [&](const JsonValue& file) { packed = packed || GetBoolMember(file, u"isneedextract", false); });
  return packed;
}

bool CRuntimeManifest::GetOption(const std::u16string& module, std::int32_t& option) {
  const JsonValue* found = FindModule(module);
  const JsonValue* value = found != nullptr ? FindMember(*found, u"option") : nullptr;
  if (value == nullptr) {
    option = 1;
    return false;
  }
  if (value->IsBool()) {
    option = value->IsTrue() ? 1 : 0;
  } else {
    ReadInt32(*value, option);  // another type leaves the caller's value
  }
  return true;
}

bool CRuntimeManifest::GetDescription(const std::u16string& module, std::u16string& description) {
  return Guarded(false, [&] {
    const JsonValue* found = FindModule(module);
    const JsonValue* value = found != nullptr ? FindMember(*found, u"description") : nullptr;
    if (value == nullptr || !value->IsString()) return false;
    description = StringOf(*value);
    return true;
  });
}

bool CRuntimeManifest::GetGroupId(const std::u16string& module, std::int32_t& groupId) {
  const JsonValue* found = FindModule(module);
  const JsonValue* value = found != nullptr ? FindMember(*found, u"groupid") : nullptr;
  if (value != nullptr && ReadInt32(*value, groupId)) return true;
  groupId = 0;
  return false;
}

bool CRuntimeManifest::GetClientType(const std::u16string& module, std::int32_t& clientType) {
  const JsonValue* found = FindModule(module);
  if (found == nullptr) {
    clientType = 0;
    return false;
  }
  const JsonValue* value = FindMember(*found, u"clienttype");
  if (value == nullptr || !ReadInt32(*value, clientType)) clientType = 1;
  return true;
}

// File lists and maps.

bool CRuntimeManifest::GetFilesOfModules(const std::vector<std::u16string>& modules, CloudFileList& files) {
  return Guarded(false, [&] {
    return CollectFiles(modules, [&](CloudFileInfo&& file) { files.push_back(std::move(file)); });
  });
}

bool CRuntimeManifest::GetFilesOfModule(const std::u16string& module, CloudFileList& files) {
  return Guarded(false, [&] { return GetFilesOfModules({module}, files); });
}

bool CRuntimeManifest::GetAllFiles(CloudFileList& files) {
  return Guarded(false, [&] { return CollectAllFiles([&](CloudFileInfo&& file) { files.push_back(std::move(file)); }); });
}

bool CRuntimeManifest::MapFilesOfModules(const std::vector<std::u16string>& modules, CloudFileMap& files) {
  return Guarded(false, [&] {
    return CollectFiles(modules, [&](CloudFileInfo&& file) { InsertUnderKey(files, std::move(file)); });
  });
}

bool CRuntimeManifest::MapFilesOfModule(const std::u16string& module, CloudFileMap& files) {
  return Guarded(false, [&] { return MapFilesOfModules({module}, files); });
}

bool CRuntimeManifest::MapAllFiles(CloudFileMap& files) {
  return Guarded(false, [&] { return CollectAllFiles([&](CloudFileInfo&& file) { InsertUnderKey(files, std::move(file)); }); });
}

// Root texts.

bool CRuntimeManifest::GetRootText(std::u16string_view name, std::u16string& text) {
  return Guarded(false, [&] {
    if (!m_loaded) return false;
    const JsonValue* value = FindMember(m_document->Root(), name);
    text = value != nullptr ? StringOf(*value) : std::u16string_view();
    return value != nullptr && value->IsString();
  });
}

bool CRuntimeManifest::SetRootText(std::u16string_view name, std::u16string_view text) {
  return Guarded(false, [&] {
    EnsureLoaded();
    SetStringMember(*m_document, m_document->Root(), name, text);
    return true;
  });
}

bool CRuntimeManifest::GetVersion(std::u16string& version) { return GetRootText(u"version", version); }

bool CRuntimeManifest::GetFormat(std::u16string& format) { return GetRootText(u"format", format); }

bool CRuntimeManifest::SetVersion(const std::u16string& version) { return SetRootText(u"version", version); }

bool CRuntimeManifest::SetFormat(const std::u16string& format) { return SetRootText(u"format", format); }

// Saving.

bool CRuntimeManifest::Save(const char16_t* path) {
  return Guarded(false, [&] {
    if (m_document != nullptr) return SaveJsonFile(*m_document, path) == CONFIG_OK;
    const JsonDocument nothing;
    return SaveJsonFile(nothing, path) == CONFIG_OK;
  });
}

// Module edits.

void CRuntimeManifest::CreateEmptyManifest() {
  auto document = std::make_unique<JsonDocument>();
  document->Root().SetObject();
  JsonObjectBuilder root(*document, document->Root());
  JsonObjectBuilder modules(*document, JsonObjectBuilder::Kind::kArray);
  JsonObjectBuilder groups(*document, JsonObjectBuilder::Kind::kArray);
  root.AddValue(u"modules", modules);
  root.AddValue(u"groups", groups);
  m_document = std::move(document);
  m_loaded = true;
}

void CRuntimeManifest::EnsureLoaded() {
  if (!m_loaded) CreateEmptyManifest();
}

bool CRuntimeManifest::AddModule(const std::u16string& module) {
  return Guarded(false, [&] {
    if (m_loaded && FindModule(module) != nullptr) return true;
    EnsureLoaded();
    JsonValue* modules = Modules();
    if (modules == nullptr) return false;
    JsonObjectBuilder entry(*m_document, JsonObjectBuilder::Kind::kObject);
    entry.AddString(u"name", module);
    JsonObjectBuilder(*m_document, *modules).PushValue(entry);
    return true;
  });
}

template <typename Set>
bool CRuntimeManifest::SetModuleMember(const std::u16string& module, Set set) {
  return Guarded(false, [&] {
    JsonValue* found = FindModule(module);
    if (found == nullptr) return false;
    set(*m_document, *found);
    return true;
  });
}

bool CRuntimeManifest::SetOption(const std::u16string& module, std::int32_t option) {
  return SetModuleMember(module, [&](JsonDocument& document, JsonValue& found) {
    SetIntMember(document, found, u"option", option);
  });
}

bool CRuntimeManifest::SetDescription(const std::u16string& module, const char16_t* description) {
  return SetModuleMember(module, [&](JsonDocument& document, JsonValue& found) {
    SetStringMember(document, found, u"description", TextView(description));
  });
}

bool CRuntimeManifest::SetGroupId(const std::u16string& module, std::int32_t groupId) {
  return SetModuleMember(module, [&](JsonDocument& document, JsonValue& found) {
    SetIntMember(document, found, u"groupid", groupId);
  });
}

bool CRuntimeManifest::SetClientType(const std::u16string& module, std::int32_t clientType) {
  return SetModuleMember(module, [&](JsonDocument& document, JsonValue& found) {
    SetIntMember(document, found, u"clienttype", clientType);
  });
}

bool CRuntimeManifest::SetFiles(const std::u16string& module, const CloudFileList& files) {
  return SetModuleMember(module, [&](JsonDocument& document, JsonValue& found) {
    // The whole array is built first, so a failure leaves the old one.
    JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
    for (const CloudFileInfo& file : files) PushFileEntry(array, document, file);
    JsonValue* existing = FindMemberNoCase(found, u"files");
    JsonValue& slot = existing != nullptr ? *existing : MemberSlot(document, found, u"files");
    slot = array.Target();
  });
}

bool CRuntimeManifest::SetPackaged(const std::u16string& module, bool packed) {
  return Guarded(false, [&] {
    CloudFileList files;
    if (!GetFilesOfModule(module, files)) return false;
    const std::u16string package = module + u".zip";
    if (!packed) {
      files.remove_if([](const CloudFileInfo& file) { return file.NeedExtract; });
      for (CloudFileInfo& file : files) file.PackageName.clear();
    } else {
      bool has_package = false;
      for (CloudFileInfo& file : files) {
        if (file.NeedExtract) {
          has_package = true;
        } else {
          file.PackageName = package;
        }
      }
      if (!has_package) {
        CloudFileInfo& entry = files.emplace_front();
        entry.Name = package;
        entry.NeedExtract = true;
      }
    }
    return SetFiles(module, files);
  });
}

// Groups.

JsonValue* CRuntimeManifest::AddGroupsArray() {
  JsonValue& root = m_document->Root();
  if (JsonValue* groups = FindMember(root, u"groups")) return groups->IsArray() ? groups : nullptr;
  JsonValue& groups = MemberSlot(*m_document, root, u"groups");
  groups.SetArray();
  return &groups;
}

bool CRuntimeManifest::AddGroup(std::int32_t groupId, const char16_t* name) {
  return Guarded(false, [&] {
    EnsureLoaded();
    JsonValue* groups = AddGroupsArray();
    if (groups == nullptr) return false;
    JsonObjectBuilder group(*m_document, JsonObjectBuilder::Kind::kObject);
    group.AddInt(u"groupid", groupId);
    group.AddString(u"name", TextView(name));
    JsonObjectBuilder(*m_document, *groups).PushValue(group);
    return true;
  });
}

bool CRuntimeManifest::RemoveGroup(std::int32_t groupId) {
  return Guarded(false, [&] {
    JsonValue* groups = m_loaded ? Groups() : nullptr;
    JsonValue* group = groups != nullptr ? FindGroup(groupId) : nullptr;
    if (group == nullptr) return false;
    groups->Erase(group);
    return true;
  });
}

bool CRuntimeManifest::SetGroupName(std::int32_t groupId, const char16_t* name) {
  return Guarded(false, [&] {
    EnsureLoaded();
    JsonValue* group = FindGroup(groupId);
    if (group == nullptr) return AddGroup(groupId, name);
    SetStringMember(*m_document, *group, u"name", TextView(name));
    return true;
  });
}

bool CRuntimeManifest::GetGroupIds(std::vector<int>& groupIds) {
  return Guarded(false, [&] {
    const JsonValue* groups = m_loaded ? Groups() : nullptr;
    if (groups == nullptr) return false;
    for (const JsonValue& group : groups->GetArray()) {
      const JsonValue* id = FindMember(group, u"groupid");
      std::int32_t number;
      if (id != nullptr && ReadInt32(*id, number)) groupIds.push_back(number);
    }
    return true;
  });
}

bool CRuntimeManifest::GetGroupName(std::int32_t groupId, std::u16string& name) {
  return Guarded(false, [&] {
    const JsonValue* group = m_loaded ? FindGroup(groupId) : nullptr;
    const JsonValue* value = group != nullptr ? FindMember(*group, u"name") : nullptr;
    if (value == nullptr || !value->IsString()) return false;
    name = StringOf(*value);
    return true;
  });
}

bool CRuntimeManifest::SetDbi(std::int32_t groupId, bool dbi) {
  return Guarded(false, [&] {
    EnsureLoaded();
    JsonValue* group = FindGroup(groupId);
    if (group == nullptr) return false;
    SetBoolMember(*m_document, *group, u"dbi", dbi);
    return true;
  });
}

bool CRuntimeManifest::GetDbi(std::int32_t groupId, bool& dbi) {
  dbi = false;
  const JsonValue* group = m_loaded ? FindGroup(groupId) : nullptr;
  const JsonValue* value = group != nullptr ? FindMember(*group, u"dbi") : nullptr;
  if (value == nullptr || !value->IsBool()) return false;
  dbi = value->IsTrue();
  return true;
}
