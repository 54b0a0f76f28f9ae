#include "app_config_document.h"

#include <algorithm>
#include <cstddef>
#include <list>
#include <vector>

#include "json_file.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"

namespace {

// Packages may nest this deep; a deeper chain is refused (3).
constexpr std::size_t kMaxPackageDepth = 32;
// At most this many files may come from "Packages" in one document, so that
// packages listing each other many times over cannot exhaust memory.
constexpr std::size_t kMaxPackageFiles = std::size_t{1} << 18;

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

AppFileNode ReadFileNode(const JsonValue& file) {
  AppFileNode node;
  node.Name = GetStringMember(file, u"Name");
  node.Path = GetStringMember(file, u"Path");
  node.HashCode = GetStringMember(file, u"HashCode");
  node.Extractable = GetBoolMember(file, u"Extractable", false) ? 1 : 0;
  node.Size = GetUintMember(file, u"Size", 0);
  return node;
}

// Reads file lists, expanding every extractable file from the root's one
// "Packages" object: the member named exactly like the file lists its
// contents, which may be packages in turn. A package met again inside its
// own contents is listed but not expanded again.
class FileListReader {
 public:
  explicit FileListReader(const JsonValue& root) {
    const JsonValue* packages = FindMember(root, u"Packages");
    packages_ = packages != nullptr && packages->IsObject() ? packages : nullptr;
  }

  // Appends one node per object element of `files`; other elements are
  // skipped.
  std::uint32_t Read(const JsonValue& files, std::list<AppFileNode>& list) {
    for (const JsonValue& file : files.GetArray()) {
      if (!file.IsObject()) continue;
      AppFileNode& node = list.emplace_back(ReadFileNode(file));
      if (node.Extractable == 0) continue;
      const std::uint32_t code = ReadContents(node);
      if (code != CONFIG_OK) return code;
    }
    return CONFIG_OK;
  }

 private:
  std::uint32_t ReadContents(AppFileNode& package) {
    if (packages_ == nullptr) return CONFIG_OK;
    if (std::find(open_packages_.begin(), open_packages_.end(), package.Name) != open_packages_.end()) {
      return CONFIG_OK;
    }
    const JsonValue* contents = FindMember(*packages_, package.Name);
    if (contents == nullptr || !contents->IsArray()) return CONFIG_OK;
    package_files_ += contents->Size();
    if (open_packages_.size() == kMaxPackageDepth || package_files_ > kMaxPackageFiles) {
      return CONFIG_INVALID_JSON;
    }
    open_packages_.push_back(package.Name);
    const std::uint32_t code = Read(*contents, package.Children);
    open_packages_.pop_back();
    return code;
  }

  const JsonValue* packages_;
  // The packages being expanded, outermost first (views of their nodes'
  // names, which do not change meanwhile).
  std::vector<platform::WStringView> open_packages_;
  std::size_t package_files_ = 0;
};

std::uint32_t ReadFileLists(const JsonValue& root, AppConfigRecord& record) {
  FileListReader reader(root);
  const JsonValue* files;
  std::uint32_t code = FindRequiredArray(root, u"PredownloadFiles", files);
  if (code == CONFIG_OK) code = reader.Read(*files, record.PredownloadFiles);
  if (code == CONFIG_OK) code = FindRequiredArray(root, u"InstantDownloadFiles", files);
  if (code == CONFIG_OK) code = reader.Read(*files, record.InstantDownloadFiles);
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

}  // namespace

std::uint32_t ReadAppConfig(const JsonValue& root, AppConfigRecord& record) {
  if (!root.IsObject()) return CONFIG_INVALID_JSON;
  ReadScalars(root, record);
  std::uint32_t code = ReadFileLists(root, record);
  if (code == CONFIG_OK) code = ReadRegisterFiles(root, record);
  if (code == CONFIG_OK) code = ReadRuntimeModules(root, record);
  if (code != CONFIG_OK) return code;
  ReadHalvern(root, record);
  return ReadIniConfigFiles(root, record);
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
