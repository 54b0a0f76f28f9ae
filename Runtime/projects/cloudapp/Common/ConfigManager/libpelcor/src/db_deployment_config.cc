// The "DeploymentConfig" section of the DbConfig text.
#include <cstdint>

#include "db_config_sections.h"
#include "json_members.h"
#include "platform/wide_string.h"
#include "record_field.h"
#include "record_list.h"
#include "record_list_builder.h"
#include "record_members.h"
#include "runtime_module_names.h"
#include "runtime_platform_pair.h"

namespace {

// The modules that every read list begins with.
constexpr const char16_t* kFixedModules[] = {u"Core Runtime Files", u"HTTPClient Support"};

// "WebServerOptions" members that map one to one.
template <typename Record, typename Visitor>
void VisitPackagingOptions(Record& r, Visitor& v) {
  v.Text(u"OutputPath", r.PackageOutputPath);
  v.Flag(u"UploadLauncherWhenNotFound", r.CheckLauncherValid, 0);
  v.NegatedFlag(u"PackageAsZippedFile", r.PackageOutputExe, false);
  v.Flag(u"PackageAppLauncher", r.PackageLauncher, 0);
}

template <typename Record, typename Visitor>
void VisitLauncherOptions(Record& r, Visitor& v) {
  v.Int(u"LauncherMode", r.LauncherMode, 0);
  v.Text(u"LauncherPath", r.LauncherPath);
}

template <typename Record, typename Visitor>
void VisitUploadOptions(Record& r, Visitor& v) {
  v.Flag(u"UploadOrPackageLauncherFiles", r.UploadOrPackageLauncherFiles, 0);
  v.Int(u"UploadStrategyWhenExist", r.UploadStrategyWhenExist, 0);
}

template <typename Record, typename Visitor>
void VisitServerProjectOptions(Record& r, Visitor& v) {
  v.NegatedFlag(u"OverwirteConfig", r.ServerSettings.generateopts, false);
  v.Text(u"Namespace", r.ServerSettings.modelname);
  v.Text(u"Framework", r.ServerSettings.TargetFramework);
  v.Text(u"SolutionName", r.ServerSettings.srvsrcoutdiradditiondir);
  v.Text(u"SolutionLocation", r.ServerSettings.srvsrcoutdir);
  v.Text(u"AuthTemplateType", r.ServerSettings.TemplateTypeName);
}

// Writing.

void WriteRuntimeOptions(JsonObjectBuilder& section, JsonDocument& document, const DeployProjectRecord& record) {
  JsonObjectBuilder runtime(document, JsonObjectBuilder::Kind::kObject);
  runtime.AddString(u"RuntimeVersion", FieldText(record.RuntimeVersion));
  JsonObjectBuilder modules(document, JsonObjectBuilder::Kind::kObject);
  for (const ModuleNode* module = record.RuntimeModules; module != nullptr; module = module->Next) {
    modules.AddBool(StoredModuleName(FieldText(module->Name)), true);
  }
  runtime.AddValue(u"RuntimeModules", modules);
  runtime.AddInt(u"RuntimeFileType", record.RuntimeFileType);
  section.AddValue(u"RuntimeOptions", runtime);
}

void WriteWebServerOptions(JsonObjectBuilder& section, JsonDocument& document, const DeployProjectRecord& record) {
  JsonObjectBuilder options(document, JsonObjectBuilder::Kind::kObject);
  RecordMemberWriter writer(options);
  options.AddString(u"Server", record.LocalServer != 0 ? platform::WStringView(u"Local")
                                                       : FieldText(record.ServerProfile));
  VisitPackagingOptions(record, writer);
  options.AddString(u"LauncherName", FieldText(record.LauncherName));
  VisitLauncherOptions(record, writer);
  options.AddBool(u"PackageRuntimeFile", record.RuntimePlatform != 0);
  WriteRuntimePlatformPair(options, document, u"RuntimePlatform", record.RuntimePlatform);
  options.AddInt(u"DeploymentMode", record.GeneratePackage != 0 ? 1 : 0);
  VisitUploadOptions(record, writer);
  section.AddValue(u"WebServerOptions", options);
}

// Reading.

void ReadRuntimeOptions(const JsonValue& runtime, DeployProjectRecord& record) {
  CopyToField(record.RuntimeVersion, GetStringMember(runtime, u"RuntimeVersion"));
  RecordListBuilder<ModuleNode> modules;
  for (const char16_t* name : kFixedModules) CopyToField(modules.Append().Name, name);
  const JsonValue& chosen = MemberOrNull(runtime, u"RuntimeModules");
  if (chosen.IsObject()) {
    for (const auto& module : chosen.GetObject()) {
      if (module.value.IsTrue()) CopyToField(modules.Append().Name, StringOf(module.name));
    }
  }
  FreeRecordList(record.RuntimeModules);
  record.RuntimeModules = modules.Release();
  record.RuntimeFileType = GetIntMember(runtime, u"RuntimeFileType", 0);
}

void ReadWebServerOptions(const JsonValue& options, DeployProjectRecord& record) {
  const platform::WStringView server = GetStringMember(options, u"Server");
  record.LocalServer = platform::WEqualsNoCase(server, u"Local") ? 1 : 0;
  CopyToField(record.ServerProfile, record.LocalServer != 0 ? platform::WStringView() : server);
  RecordMemberReader reader(options);
  VisitPackagingOptions(record, reader);
  const platform::WStringView launcher = GetStringMember(options, u"LauncherName");
  CopyToField(record.LauncherName, launcher);
  record.DefaultLauncher = platform::WEqualsNoCase(launcher, u"Default") ? 1 : 0;
  VisitLauncherOptions(record, reader);
  record.RuntimePlatform = ReadRuntimePlatformPair(options, u"RuntimePlatform");
  record.GeneratePackage = GetIntMember(options, u"DeploymentMode", 0) == 1 ? 1 : 0;
  VisitUploadOptions(record, reader);
}

}  // namespace

void WriteDeploymentConfig(JsonObjectBuilder& root, JsonDocument& document, const DeployProjectRecord& record) {
  JsonObjectBuilder section(document, JsonObjectBuilder::Kind::kObject);
  WriteRuntimeOptions(section, document, record);
  WriteWebServerOptions(section, document, record);
  JsonObjectBuilder server(document, JsonObjectBuilder::Kind::kObject);
  RecordMemberWriter writer(server);
  VisitServerProjectOptions(record, writer);
  section.AddValue(u"HalvernProjectOptions", server);
  root.AddValue(u"DeploymentConfig", section);
}

void ReadDeploymentConfig(const JsonValue& section, DeployProjectRecord& record) {
  ReadRuntimeOptions(MemberOrNull(section, u"RuntimeOptions"), record);
  ReadWebServerOptions(MemberOrNull(section, u"WebServerOptions"), record);
  RecordMemberReader reader(MemberOrNull(section, u"HalvernProjectOptions"));
  VisitServerProjectOptions(record, reader);
}
