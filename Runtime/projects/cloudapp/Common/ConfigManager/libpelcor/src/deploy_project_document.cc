#include "deploy_project_document.h"

#include <cstddef>
#include <cstring>

#include "app_cache_folder.h"
#include "deploy_project_lists.h"
#include "deploy_project_members.h"
#include "json_file.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"
#include "out_string_block.h"
#include "record_field.h"
#include "record_list.h"
#include "record_list_builder.h"
#include "record_members.h"
#include "runtime_module_names.h"
#include "signing_settings_json.h"

namespace {

// The project's scalars: the common members plus "Format" (read as text,
// written as "1.0") and "OutputDir" (written, never read: the reader
// composes it).
class ScalarReader : public RecordMemberReader {
 public:
  using RecordMemberReader::RecordMemberReader;

  template <std::size_t N>
  void Format(const char16_t* name, char16_t (&field)[N]) {
    Text(name, field);
  }
  // The app's cache folder, when its whole path fits the field: a cut path
  // would name another folder.
  template <std::size_t N, std::size_t M>
  void CacheFolder(const char16_t*, char16_t (&field)[N], const char16_t (&app_name)[M]) {
    const platform::WString folder = AppCacheFolder(FieldText(app_name));
    CopyToField(field, folder.size() < N ? platform::WStringView(folder) : platform::WStringView());
  }
};

class ScalarWriter : public RecordMemberWriter {
 public:
  using RecordMemberWriter::RecordMemberWriter;

  template <std::size_t N>
  void Format(const char16_t* name, const char16_t (&)[N]) {
    object().AddString(name, u"1.0");
  }
  template <std::size_t N, std::size_t M>
  void CacheFolder(const char16_t* name, const char16_t (&field)[N], const char16_t (&)[M]) {
    Text(name, field);
  }
};

// Reading.

// One node per element of the required array `name`, filled by
// fill(node, element); the list is appended to `head` once whole.
template <typename Node, typename Fill>
std::uint32_t ReadRequiredList(const JsonValue& project, const char16_t* name, Node*& head, Fill fill) {
  const JsonValue* array;
  const std::uint32_t code = FindRequiredArray(project, name, array);
  if (code != CONFIG_OK) return code;
  RecordListBuilder<Node> list;
  for (const JsonValue& element : array->GetArray()) fill(list.Append(), element);
  AppendRecordList(head, list.Release());
  return CONFIG_OK;
}

std::uint32_t ReadRequiredFileNames(const JsonValue& project, const char16_t* name, FileNameNode*& head) {
  const JsonValue* array;
  const std::uint32_t code = FindRequiredArray(project, name, array);
  if (code != CONFIG_OK) return code;
  RecordListBuilder<FileNameNode> list;
  ReadFileNames(*array, list);
  AppendRecordList(head, list.Release());
  return CONFIG_OK;
}

std::uint32_t ReadLibraries(const JsonValue& project, LibraryNode*& head) {
  return ReadRequiredList(project, u"Libraries", head, [](LibraryNode& node, const JsonValue& element) {
    CopyToField(node.TqdName, GetStringMember(element, u"TqdName"));
    CopyToField(node.TqdLocalPath, GetStringMember(element, u"TqdLocalPath"));
  });
}

std::uint32_t ReadRequiredPackages(const JsonValue& project, PackageNode*& head) {
  const JsonValue* packages = FindMember(project, u"PredownloadPackages");
  if (packages == nullptr) return CONFIG_MISSING_MEMBER;
  if (!packages->IsObject()) return CONFIG_INVALID_JSON;
  PackageListBuilder list;
  const std::uint32_t code = ReadPackages(*packages, list);
  if (code == CONFIG_OK) AppendRecordList(head, list.Release());
  return code;
}

std::uint32_t ReadModules(const JsonValue& project, ModuleNode*& head) {
  return ReadRequiredList(project, u"RuntimeModules", head, [](ModuleNode& node, const JsonValue& element) {
    CopyToField(node.Name, StoredModuleName(StringOf(element)));
  });
}

std::uint32_t ReadLists(const JsonValue& project, DeployProjectRecord& record) {
  std::uint32_t code = ReadLibraries(project, record.Libraries);
  if (code == CONFIG_OK) code = ReadRequiredPackages(project, record.PredownloadPackages);
  if (code == CONFIG_OK) code = ReadRequiredFileNames(project, u"PredownloadFiles", record.PredownloadFiles);
  if (code == CONFIG_OK) code = ReadRequiredFileNames(project, u"InstantDownloadFiles", record.InstantDownloadFiles);
  if (code == CONFIG_OK) code = ReadModules(project, record.RuntimeModules);
  if (code == CONFIG_OK) code = ReadRequiredFileNames(project, u"RegisterFiles", record.RegisterFiles);
  return code;
}

// Empties the part (freeing its old text) and fills it from "halvern" when
// the project has that object.
std::uint32_t ReadServerSettings(const JsonValue& project, ServerSettingsRecord& part) {
  FreeOutString(part.dbconfig);
  std::memset(static_cast<void*>(&part), 0, sizeof part);
  const JsonValue* halvern = FindMember(project, u"halvern");
  if (halvern == nullptr) return CONFIG_OK;
  if (!halvern->IsObject()) return CONFIG_INVALID_JSON;
  RecordMemberReader reader(*halvern);
  VisitServerSettings(part, reader);
  const platform::WString dbconfig(GetStringMember(*halvern, u"dbconfig"));
  SetOutString(part.dbconfig, dbconfig.c_str());
  return CONFIG_OK;
}

// An element needs a string "FileName" and an integer "UpdateType"; others
// are skipped. A type of 0 is stored as 2.
std::uint32_t ReadIniFiles(const JsonValue& project, IniFileNode*& head) {
  const JsonValue* files;
  const std::uint32_t code = FindRequiredArray(project, u"IniConfigFiles", files);
  if (code != CONFIG_OK) return code;
  RecordListBuilder<IniFileNode> list;
  for (const JsonValue& file : files->GetArray()) {
    const JsonValue* name = FindMember(file, u"FileName");
    const JsonValue* type = FindMember(file, u"UpdateType");
    std::int32_t update_type;
    if (name == nullptr || !name->IsString() || type == nullptr || !ReadInt32(*type, update_type)) continue;
    IniFileNode& node = list.Append();
    CopyToField(node.FileName, StringOf(*name));
    node.UpdateType = update_type != 0 ? update_type : 2;
  }
  AppendRecordList(head, list.Release());
  return CONFIG_OK;
}

void ReadUiConfig(const JsonValue& project, DeployProjectRecord& record) {
  const JsonValue* ui = FindMember(project, u"CSharpUIConfig");
  if (ui == nullptr || !ui->IsObject()) {
    record.RuntimeFileType = 1;
    return;
  }
  record.ServerType = GetIntMember(*ui, u"ServerType", 0);
  record.RuntimeFileType = GetIntMember(*ui, u"RuntimeFileType", 1);
}

// Writing.

template <typename Node, typename Write>
void WriteList(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name, const Node* head,
               Write write) {
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  for (const Node* node = head; node != nullptr; node = node->Next) write(array, *node);
  parent.AddValue(name, array);
}

void WriteLibraries(JsonObjectBuilder& project, JsonDocument& document, const LibraryNode* head) {
  WriteList(project, document, u"Libraries", head, [&](JsonObjectBuilder& array, const LibraryNode& node) {
    JsonObjectBuilder library(document, JsonObjectBuilder::Kind::kObject);
    library.AddString(u"TqdName", FieldText(node.TqdName));
    library.AddString(u"TqdLocalPath", FieldText(node.TqdLocalPath));
    array.PushValue(library);
  });
}

void WriteModules(JsonObjectBuilder& project, JsonDocument& document, const ModuleNode* head) {
  WriteList(project, document, u"RuntimeModules", head,
            [](JsonObjectBuilder& array, const ModuleNode& node) { array.PushString(FieldText(node.Name)); });
}

void WriteServerSettings(JsonObjectBuilder& project, JsonDocument& document, const ServerSettingsRecord& part) {
  JsonObjectBuilder halvern(document, JsonObjectBuilder::Kind::kObject);
  RecordMemberWriter writer(halvern);
  VisitServerSettings(part, writer);
  if (part.dbconfig != nullptr) {
    halvern.AddString(u"dbconfig", OutStringView(part.dbconfig));
  }
  project.AddValue(u"halvern", halvern);
}

void WriteIniFiles(JsonObjectBuilder& project, JsonDocument& document, const IniFileNode* head) {
  WriteList(project, document, u"IniConfigFiles", head, [&](JsonObjectBuilder& array, const IniFileNode& node) {
    JsonObjectBuilder file(document, JsonObjectBuilder::Kind::kObject);
    file.AddString(u"FileName", FieldText(node.FileName));
    file.AddInt(u"UpdateType", node.UpdateType);
    array.PushValue(file);
  });
}

void WriteUiConfig(JsonObjectBuilder& project, JsonDocument& document, const DeployProjectRecord& record) {
  JsonObjectBuilder ui(document, JsonObjectBuilder::Kind::kObject);
  ui.AddInt(u"ServerType", record.ServerType);
  ui.AddInt(u"RuntimeFileType", record.RuntimeFileType);
  project.AddValue(u"CSharpUIConfig", ui);
}

}  // namespace

std::uint32_t ReadDeployProject(const JsonValue& project, DeployProjectRecord& record) {
  if (!project.IsObject()) return CONFIG_INVALID_JSON;
  ScalarReader reader(project);
  VisitProjectScalars(record, reader);
  std::uint32_t code = ReadLists(project, record);
  if (code == CONFIG_OK) code = ReadSigningConfig(project, record.Signing);
  if (code == CONFIG_OK) code = ReadServerSettings(project, record.ServerSettings);
  if (code == CONFIG_OK) code = ReadIniFiles(project, record.IniConfigFiles);
  if (code == CONFIG_OK) ReadUiConfig(project, record);
  return code;
}

void WriteDeployProject(JsonDocument& document, platform::WStringView member, const DeployProjectRecord& record) {
  document.Root().SetObject();
  JsonObjectBuilder project(document, JsonObjectBuilder::Kind::kObject);
  ScalarWriter writer(project);
  VisitProjectScalars(record, writer);
  WriteLibraries(project, document, record.Libraries);
  WritePackageList(project, document, u"PredownloadPackages", record.PredownloadPackages);
  WriteFileNameList(project, document, u"PredownloadFiles", record.PredownloadFiles);
  WriteFileNameList(project, document, u"InstantDownloadFiles", record.InstantDownloadFiles);
  WriteModules(project, document, record.RuntimeModules);
  WriteFileNameList(project, document, u"RegisterFiles", record.RegisterFiles);
  WriteSigningConfig(project, document, record.Signing);
  WriteServerSettings(project, document, record.ServerSettings);
  WriteIniFiles(project, document, record.IniConfigFiles);
  WriteUiConfig(project, document, record);
  JsonObjectBuilder root(document, document.Root());
  root.AddValue(member, project);
}

std::uint32_t WriteDeployProjectFile(JsonDocument& document, const char16_t* path, platform::WStringView member,
                                     const DeployProjectRecord& record) {
  WriteDeployProject(document, member, record);
  return SaveJsonFile(document, path);
}
