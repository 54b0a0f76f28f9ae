#include "app_config_document.h"

#include <list>

#include "app_file_list_reader.h"
#include "json_file.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"

namespace {

// The members above the file lists, in the writer's order.
struct ScalarMember {
  enum class Kind { kFormat, kText, kFlag, kInteger };
  const char16_t* name;
  Kind kind;
  std::u16string AppConfigRecord::*text;
  std::int32_t AppConfigRecord::*number;
};

constexpr ScalarMember Text(const char16_t* name, std::u16string AppConfigRecord::*field) {
  return {name, ScalarMember::Kind::kText, field, nullptr};
}
constexpr ScalarMember Flag(const char16_t* name, std::int32_t AppConfigRecord::*field) {
  return {name, ScalarMember::Kind::kFlag, nullptr, field};
}

const ScalarMember kScalarMembers[] = {
    {u"Format", ScalarMember::Kind::kFormat, &AppConfigRecord::Format, nullptr},
    Text(u"Version", &AppConfigRecord::Version),
    Text(u"UpdateGuid", &AppConfigRecord::UpdateGuid),
    Text(u"UserGuid", &AppConfigRecord::UserGuid),
    Text(u"StartupFile", &AppConfigRecord::StartupFile),
    Flag(u"Is32Bit", &AppConfigRecord::Is32Bit),
    Flag(u"EncryptTqdFiles", &AppConfigRecord::EncryptTqdFiles),
    Flag(u"FullDownload", &AppConfigRecord::FullDownload),
    Text(u"PreloadEventCommands", &AppConfigRecord::PreloadEventCommands),
    Flag(u"RunCommandAsAdmin", &AppConfigRecord::RunCommandAsAdmin),
    Flag(u"AlwaysRunCommand", &AppConfigRecord::AlwaysRunCommand),
    Text(u"RuntimeVersion", &AppConfigRecord::RuntimeVersion),
    {u"StartMode", ScalarMember::Kind::kInteger, nullptr, &AppConfigRecord::StartMode},
    Flag(u"IsVerOffCheck", &AppConfigRecord::IsVerOffCheck),
    Flag(u"CreateDesktopShortcut", &AppConfigRecord::CreateDesktopShortcut),
    Flag(u"CreateStartMenuShortcut", &AppConfigRecord::CreateStartMenuShortcut),
    Flag(u"CreateAppUninstallShortcut", &AppConfigRecord::CreateAppUninstallShortcut),
    Flag(u"ShowStartAnimatedWindow", &AppConfigRecord::ShowStartAnimatedWindow),
    Flag(u"CheckTqdValidaty", &AppConfigRecord::CheckTqdValidaty),
    Text(u"AppShortcutName", &AppConfigRecord::AppShortcutName),
    Text(u"AppShortcutImage", &AppConfigRecord::AppShortcutImage),
    Text(u"Arguments", &AppConfigRecord::Arguments),
};

void ReadScalars(const JsonValue& root, AppConfigRecord& record) {
  for (const ScalarMember& member : kScalarMembers) {
    switch (member.kind) {
      case ScalarMember::Kind::kFormat:
      case ScalarMember::Kind::kText:
        record.*member.text = GetStringMember(root, member.name);
        break;
      case ScalarMember::Kind::kFlag:
        record.*member.number = GetBoolMember(root, member.name, false) ? 1 : 0;
        break;
      case ScalarMember::Kind::kInteger:
        record.*member.number = GetIntMember(root, member.name, 0);
        break;
    }
  }
}

// Both lists are checked whole before either is read, so a document
// refused for its packages builds nothing.
std::uint32_t ReadFileLists(const JsonValue& root, AppConfigRecord& record) {
  AppFileListReader reader(root);
  const JsonValue* predownload;
  const JsonValue* instant;
  std::uint32_t code = FindRequiredArray(root, u"PredownloadFiles", predownload);
  if (code == CONFIG_OK) code = reader.Check(*predownload);
  if (code == CONFIG_OK) code = FindRequiredArray(root, u"InstantDownloadFiles", instant);
  if (code == CONFIG_OK) code = reader.Check(*instant);
  if (code == CONFIG_OK) code = reader.Read(*predownload, record.PredownloadFiles);
  if (code == CONFIG_OK) code = reader.Read(*instant, record.InstantDownloadFiles);
  return code;
}

// String elements only; others are skipped.
template <typename Append>
std::uint32_t ReadStringArray(const JsonValue& root, const char16_t* name, Append append) {
  const JsonValue* texts;
  const std::uint32_t code = FindRequiredArray(root, name, texts);
  if (code != CONFIG_OK) return code;
  for (const JsonValue& text : texts->GetArray()) {
    if (text.IsString()) append(StringOf(text));
  }
  return CONFIG_OK;
}

std::uint32_t ReadRegisterFiles(const JsonValue& root, AppConfigRecord& record) {
  return ReadStringArray(root, u"RegisterFiles", [&](platform::WStringView path) {
    record.RegisterFiles.push_back(RegisterFileEntry{std::u16string(path), 0});
  });
}

std::uint32_t ReadRuntimeModules(const JsonValue& root, AppConfigRecord& record) {
  return ReadStringArray(root, u"RuntimeModules",
                         [&](platform::WStringView module) { record.RuntimeModules.emplace_back(module); });
}

void ReadHalvern(const JsonValue& root, AppConfigRecord& record) {
  const JsonValue* halvern = FindMember(root, u"halvern");
  if (halvern == nullptr || !halvern->IsObject()) return;
  record.WebApiUrl = GetStringMember(*halvern, u"webapiurl");
  record.ModelName = GetStringMember(*halvern, u"modelname");
  record.ServerAppName = GetStringMember(*halvern, u"AppName");
}

// An element needs a string "FileName" and an integer "UpdateType"; others
// are skipped. A type of 0 is stored as 2.
std::uint32_t ReadIniConfigFiles(const JsonValue& root, AppConfigRecord& record) {
  const JsonValue* files;
  const std::uint32_t code = FindRequiredArray(root, u"IniConfigFiles", files);
  if (code != CONFIG_OK) return code;
  for (const JsonValue& file : files->GetArray()) {
    const JsonValue* name = FindMember(file, u"FileName");
    const JsonValue* type = FindMember(file, u"UpdateType");
    std::int32_t update_type;
    if (name == nullptr || !name->IsString() || type == nullptr || !ReadInt32(*type, update_type)) continue;
    record.IniConfigFiles.push_back(IniConfigFileEntry{std::u16string(StringOf(*name)), update_type != 0 ? update_type : 2});
  }
  return CONFIG_OK;
}

void WriteScalars(JsonObjectBuilder& root, const AppConfigRecord& record) {
  for (const ScalarMember& member : kScalarMembers) {
    switch (member.kind) {
      case ScalarMember::Kind::kFormat:
        root.AddString(member.name, u"1.0");
        break;
      case ScalarMember::Kind::kText:
        root.AddString(member.name, record.*member.text);
        break;
      case ScalarMember::Kind::kFlag:
        root.AddBool(member.name, record.*member.number != 0);
        break;
      case ScalarMember::Kind::kInteger:
        root.AddInt(member.name, record.*member.number);
        break;
    }
  }
}

// One file object per node; package contents are not written inside it.
void WriteFileList(JsonObjectBuilder& array, JsonDocument& document, const std::list<AppFileNode>& files) {
  for (const AppFileNode& node : files) {
    JsonObjectBuilder file(document, JsonObjectBuilder::Kind::kObject);
    file.AddString(u"Name", node.Name);
    file.AddString(u"Path", node.Path);
    file.AddString(u"HashCode", node.HashCode);
    file.AddBool(u"Extractable", node.Extractable != 0);
    file.AddUint(u"Size", node.Size);
    array.PushValue(file);
  }
}

void AddFileList(JsonObjectBuilder& root, JsonDocument& document, platform::WStringView name,
                 const std::list<AppFileNode>& files) {
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  WriteFileList(array, document, files);
  root.AddValue(name, array);
}

// The contents of the extractable top-level predownload files (one level).
void AddPackages(JsonObjectBuilder& root, JsonDocument& document, const AppConfigRecord& record) {
  JsonObjectBuilder packages(document, JsonObjectBuilder::Kind::kObject);
  for (const AppFileNode& node : record.PredownloadFiles) {
    if (node.Extractable != 0) AddFileList(packages, document, node.Name, node.Children);
  }
  root.AddValue(u"Packages", packages);
}

template <typename List, typename TextOf>
void AddStringArray(JsonObjectBuilder& root, JsonDocument& document, const char16_t* name, const List& list,
                    TextOf text_of) {
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  for (const auto& item : list) array.PushString(text_of(item));
  root.AddValue(name, array);
}

void AddHalvern(JsonObjectBuilder& root, JsonDocument& document, const AppConfigRecord& record) {
  JsonObjectBuilder halvern(document, JsonObjectBuilder::Kind::kObject);
  halvern.AddString(u"webapiurl", record.WebApiUrl);
  halvern.AddString(u"modelname", record.ModelName);
  root.AddValue(u"halvern", halvern);
}

void AddIniConfigFiles(JsonObjectBuilder& root, JsonDocument& document, const AppConfigRecord& record) {
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  for (const IniConfigFileEntry& entry : record.IniConfigFiles) {
    JsonObjectBuilder file(document, JsonObjectBuilder::Kind::kObject);
    file.AddString(u"FileName", entry.FileName);
    file.AddInt(u"UpdateType", entry.UpdateType);
    array.PushValue(file);
  }
  root.AddValue(u"IniConfigFiles", array);
}

// Reads the whole document into `record`, which the caller then commits.
std::uint32_t ReadInto(const JsonValue& root, AppConfigRecord& record) {
  ReadScalars(root, record);
  std::uint32_t code = ReadFileLists(root, record);
  if (code == CONFIG_OK) code = ReadRegisterFiles(root, record);
  if (code == CONFIG_OK) code = ReadRuntimeModules(root, record);
  if (code != CONFIG_OK) return code;
  ReadHalvern(root, record);
  return ReadIniConfigFiles(root, record);
}

// Moves what a whole read gave into the caller's record: every text, flag
// and number, and the lists appended (their nodes moved, not copied).
void Commit(AppConfigRecord& read, AppConfigRecord& record) {
  for (const ScalarMember& member : kScalarMembers) {
    if (member.text != nullptr) record.*member.text = std::move(read.*member.text);
    if (member.number != nullptr) record.*member.number = read.*member.number;
  }
  record.WebApiUrl = std::move(read.WebApiUrl);
  record.ModelName = std::move(read.ModelName);
  record.ServerAppName = std::move(read.ServerAppName);
  record.PredownloadFiles.splice(record.PredownloadFiles.end(), read.PredownloadFiles);
  record.InstantDownloadFiles.splice(record.InstantDownloadFiles.end(), read.InstantDownloadFiles);
  record.RegisterFiles.splice(record.RegisterFiles.end(), read.RegisterFiles);
  record.RuntimeModules.splice(record.RuntimeModules.end(), read.RuntimeModules);
  record.IniConfigFiles.splice(record.IniConfigFiles.end(), read.IniConfigFiles);
}

}  // namespace

std::uint32_t ReadAppConfig(const JsonValue& root, AppConfigRecord& record) {
  if (!root.IsObject()) return CONFIG_INVALID_JSON;
  AppConfigRecord read;
  // A document without "halvern" leaves these texts as they were.
  read.WebApiUrl = record.WebApiUrl;
  read.ModelName = record.ModelName;
  read.ServerAppName = record.ServerAppName;
  const std::uint32_t code = ReadInto(root, read);
  if (code == CONFIG_OK) Commit(read, record);
  return code;
}

void WriteAppConfig(JsonDocument& document, const AppConfigRecord& record) {
  document.Root().SetObject();
  JsonObjectBuilder root(document, document.Root());
  WriteScalars(root, record);
  AddFileList(root, document, u"PredownloadFiles", record.PredownloadFiles);
  AddPackages(root, document, record);
  AddFileList(root, document, u"InstantDownloadFiles", record.InstantDownloadFiles);
  AddStringArray(root, document, u"RegisterFiles", record.RegisterFiles,
                 [](const RegisterFileEntry& entry) { return platform::WStringView(entry.Path); });
  AddStringArray(root, document, u"RuntimeModules", record.RuntimeModules,
                 [](const std::u16string& module) { return platform::WStringView(module); });
  AddHalvern(root, document, record);
  AddIniConfigFiles(root, document, record);
}

std::uint32_t SaveAppConfigFile(JsonDocument& document, const char16_t* path, const AppConfigRecord& record) {
  WriteAppConfig(document, record);
  return SaveJsonFile(document, path);
}
