// The "BuildConfig" section of the DbConfig text.
#include <cstdint>

#include "db_config_sections.h"
#include "deploy_project_members.h"
#include "deploy_project_lists.h"
#include "json_members.h"
#include "libpelcor/config_result.h"
#include "record_field.h"
#include "record_list.h"
#include "record_list_builder.h"
#include "record_members.h"
#include "signing_settings_json.h"

namespace {

// The flags after "TQRFileName".
template <typename Record, typename Visitor>
void VisitBuildFlags(Record& r, Visitor& v) {
  v.Flag(u"Encrypt", r.EncryptTqdFiles, 0);
  v.Flag(u"FullBuild", r.FullBuild, 0);
  v.Flag(u"WinClassicType", r.WindowsClassicStyle, 0);
  v.Flag(u"EnableDebugSymbol", r.EnableDebugSymbol, 0);
}

template <typename Version, typename Visitor>
void VisitVersionNumbers(Version& major, Version& minor, Version& build, Version& revision, Visitor& v) {
  v.UShort(u"Major", major);
  v.UShort(u"Minor", minor);
  v.UShort(u"Build", build);
  v.UShort(u"Revision", revision);
}

template <typename Record, typename Visitor>
void VisitFileVersion(Record& r, Visitor& v) {
  VisitVersionNumbers(r.FileVersionMajor, r.FileVersionMinor, r.FileVersionBuild, r.FileVersionRevision, v);
}

template <typename Record, typename Visitor>
void VisitProductVersion(Record& r, Visitor& v) {
  VisitVersionNumbers(r.ProductVersionMajor, r.ProductVersionMinor, r.ProductVersionBuild,
                      r.ProductVersionRevision, v);
}

template <typename Record, typename Visitor>
void VisitManifestOptions(Record& r, Visitor& v) {
  v.Flag(u"AllowAccessUi", r.AllowAccessSystemUI, 0);
  v.Int(u"ExecutionLevel", r.ExecutionLevel, 0);
  v.Int(u"GenerationType", r.GenerateOption, 0);
}

// Appends member `name` holding an object that `visit` fills from the
// record.
template <typename Visit>
void WriteObject(JsonObjectBuilder& parent, JsonDocument& document, const char16_t* name, Visit visit) {
  JsonObjectBuilder object(document, JsonObjectBuilder::Kind::kObject);
  RecordMemberWriter writer(object);
  visit(writer, object);
  parent.AddValue(name, object);
}

// Writing.

void WriteRegisterFiles(JsonObjectBuilder& files, JsonDocument& document, const FileNameNode* head) {
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  for (const FileNameNode* file = head; file != nullptr; file = file->Next) {
    JsonObjectBuilder entry(document, JsonObjectBuilder::Kind::kObject);
    entry.AddString(u"FileName", FieldText(file->Name));
    entry.AddBool(u"Selected", true);
    array.PushValue(entry);
  }
  files.AddValue(u"RegisterFiles", array);
}

void WriteIniFiles(JsonObjectBuilder& files, JsonDocument& document, const IniFileNode* head) {
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  for (const IniFileNode* file = head; file != nullptr; file = file->Next) {
    JsonObjectBuilder entry(document, JsonObjectBuilder::Kind::kObject);
    entry.AddString(u"FileName", FieldText(file->FileName));
    entry.AddUpdateStrategy(file->UpdateType);
    array.PushValue(entry);
  }
  files.AddValue(u"IniConfigFiles", array);
}

void WriteExternalFiles(JsonObjectBuilder& section, JsonDocument& document, const DeployProjectRecord& record) {
  JsonObjectBuilder files(document, JsonObjectBuilder::Kind::kObject);
  WriteFileNameList(files, document, u"Files", record.PredownloadFiles);
  WriteFileNameList(files, document, u"Multimedia", record.InstantDownloadFiles);
  WriteRegisterFiles(files, document, record.RegisterFiles);
  WriteIniFiles(files, document, record.IniConfigFiles);
  WritePackageList(files, document, u"Packages", record.PredownloadPackages);
  section.AddValue(u"ExternalFiles", files);
}

void WriteLibraries(JsonObjectBuilder& section, JsonDocument& document, const LibraryNode* head) {
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  for (const LibraryNode* library = head; library != nullptr; library = library->Next) {
    JsonObjectBuilder entry(document, JsonObjectBuilder::Kind::kObject);
    entry.AddString(u"Library", FieldText(library->TqdName));
    entry.AddString(u"TQRFileName", FieldText(library->TqdLocalPath));
    array.PushValue(entry);
  }
  section.AddValue(u"Libraries", array);
}

void WriteVersionOption(JsonObjectBuilder& section, JsonDocument& document, const DeployProjectRecord& record,
                        const DeployTimes& times) {
  JsonObjectBuilder version(document, JsonObjectBuilder::Kind::kObject);
  WriteObject(version, document, u"InstallVersion", [&](RecordMemberWriter&, JsonObjectBuilder& install) {
    WriteObject(install, document, u"FileVersion",
                [&](RecordMemberWriter& writer, JsonObjectBuilder&) { VisitFileVersion(record, writer); });
    WriteObject(install, document, u"ProductVersion",
                [&](RecordMemberWriter& writer, JsonObjectBuilder&) { VisitProductVersion(record, writer); });
  });
  WriteObject(version, document, u"WebServerVersion", [&](RecordMemberWriter&, JsonObjectBuilder& web) {
    web.AddString(u"DeploymentVersion", FieldText(record.DeployVersion));
    web.AddString(u"MinCompatibleVersion", FieldText(record.MinimumValidVersion));
    web.AddString(u"AvailableTime", times.online);
    web.AddString(u"Expiration", times.offline);
  });
  WriteObject(version, document, u"ExecutionFileVersion",
              [&](RecordMemberWriter& writer, JsonObjectBuilder&) { VisitExecutableVersion(record, writer); });
  section.AddValue(u"VersionOption", version);
}

// Reading.

void ReadRegisterFiles(const JsonValue& array, RecordListBuilder<FileNameNode>& list) {
  if (!array.IsArray()) return;
  for (const JsonValue& entry : array.GetArray()) {
    if (GetBoolMember(entry, u"Selected", false)) CopyToField(list.Append().Name, GetStringMember(entry, u"FileName"));
  }
}

void ReadIniFiles(const JsonValue& array, RecordListBuilder<IniFileNode>& list) {
  if (!array.IsArray()) return;
  for (const JsonValue& entry : array.GetArray()) {
    IniFileNode& node = list.Append();
    CopyToField(node.FileName, GetStringMember(entry, u"FileName"));
    node.UpdateType = GetIntMember(entry, u"UpdateStrategy", 0);
  }
}

template <typename Node>
void ReplaceList(Node*& head, RecordListBuilder<Node>& list) {
  FreeRecordList(head);
  head = list.Release();
}

// Every list is built before any old one is freed. A "Packages" member
// of another type, or one with a package whose files are not an array,
// gives no packages.
void ReadExternalFiles(const JsonValue& files, DeployProjectRecord& record) {
  RecordListBuilder<FileNameNode> predownload;
  RecordListBuilder<FileNameNode> instant;
  RecordListBuilder<FileNameNode> registered;
  RecordListBuilder<IniFileNode> ini;
  PackageListBuilder packages;
  ReadFileNames(MemberOrNull(files, u"Files"), predownload);
  ReadFileNames(MemberOrNull(files, u"Multimedia"), instant);
  ReadRegisterFiles(MemberOrNull(files, u"RegisterFiles"), registered);
  ReadIniFiles(MemberOrNull(files, u"IniConfigFiles"), ini);
  const JsonValue& package_object = MemberOrNull(files, u"Packages");
  const bool packages_read = package_object.IsObject() && ReadPackages(package_object, packages) == CONFIG_OK;
  ReplaceList(record.PredownloadFiles, predownload);
  ReplaceList(record.InstantDownloadFiles, instant);
  ReplaceList(record.RegisterFiles, registered);
  ReplaceList(record.IniConfigFiles, ini);
  FreePackageList(record.PredownloadPackages);
  record.PredownloadPackages = packages_read ? packages.Release() : nullptr;
}

void ReadLibraries(const JsonValue& array, DeployProjectRecord& record) {
  RecordListBuilder<LibraryNode> list;
  if (array.IsArray()) {
    for (const JsonValue& entry : array.GetArray()) {
      LibraryNode& node = list.Append();
      CopyToField(node.TqdName, GetStringMember(entry, u"Library"));
      CopyToField(node.TqdLocalPath, GetStringMember(entry, u"TQRFileName"));
    }
  }
  ReplaceList(record.BuildLibraries, list);
}

void ReadVersionOption(const JsonValue& version, DeployProjectRecord& record) {
  const JsonValue& install = MemberOrNull(version, u"InstallVersion");
  RecordMemberReader file_version(MemberOrNull(install, u"FileVersion"));
  VisitFileVersion(record, file_version);
  RecordMemberReader product_version(MemberOrNull(install, u"ProductVersion"));
  VisitProductVersion(record, product_version);
  const JsonValue& web = MemberOrNull(version, u"WebServerVersion");
  CopyToField(record.DeployVersion, GetStringMember(web, u"DeploymentVersion"));
  CopyToField(record.MinimumValidVersion, GetStringMember(web, u"MinCompatibleVersion"));
  CopyToField(record.OnlineTime, GetStringMember(web, u"AvailableTime"));
  CopyToField(record.OfflineTime, GetStringMember(web, u"Expiration"));
  RecordMemberReader executable(MemberOrNull(version, u"ExecutionFileVersion"));
  VisitExecutableVersion(record, executable);
}

}  // namespace

void WriteBuildConfig(JsonObjectBuilder& root, JsonDocument& document, const DeployProjectRecord& record,
                      platform::WStringView project_name, const DeployTimes& times) {
  JsonObjectBuilder section(document, JsonObjectBuilder::Kind::kObject);
  section.AddString(u"AppName", FieldText(record.AppName));
  section.AddString(u"ProjectName", project_name);
  section.AddString(u"ProjectDir", FieldText(record.ProjectDir));
  section.AddString(u"TQRFileName", FieldText(record.ResourceName));
  RecordMemberWriter writer(section);
  VisitBuildFlags(record, writer);
  section.AddInt(u"Platform", record.Is32Bit != 0 ? 0 : 1);
  WriteExternalFiles(section, document, record);
  WriteLibraries(section, document, record.BuildLibraries);
  WriteVersionOption(section, document, record, times);
  WriteSigningSection(section, document, u"SigningOption", record.Signing);
  WriteObject(section, document, u"ManifestOptions",
              [&](RecordMemberWriter& manifest, JsonObjectBuilder&) { VisitManifestOptions(record, manifest); });
  root.AddValue(u"BuildConfig", section);
}

void ReadBuildConfig(const JsonValue& section, DeployProjectRecord& record) {
  CopyToField(record.AppName, GetStringMember(section, u"AppName"));
  CopyToField(record.ResourceName, GetStringMember(section, u"TQRFileName"));
  RecordMemberReader reader(section);
  VisitBuildFlags(record, reader);
  record.Is32Bit = GetIntMember(section, u"Platform", 0) == 0 ? 1 : 0;
  ReadExternalFiles(MemberOrNull(section, u"ExternalFiles"), record);
  ReadLibraries(MemberOrNull(section, u"Libraries"), record);
  ReadVersionOption(MemberOrNull(section, u"VersionOption"), record);
  ReadSigningSection(MemberOrNull(section, u"SigningOption"), record.Signing);
  RecordMemberReader manifest(MemberOrNull(section, u"ManifestOptions"));
  VisitManifestOptions(record, manifest);
}
