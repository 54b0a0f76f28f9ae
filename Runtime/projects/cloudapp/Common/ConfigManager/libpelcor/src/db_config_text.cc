#include "db_config_text.h"

#include "db_config_sections.h"
#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"
#include "out_string_block.h"
#include "record_field.h"
#include "record_members.h"
#include "run_endpoint.h"

namespace {

DeployTimes DeployTimesOf(const DeployProjectRecord& record, const UtcTime& now) {
  if (FieldText(record.OnlineTime).empty() || FieldText(record.OfflineTime).empty()) {
    return {DeployTimeText(now), DeployTimeText(YearsLater(now, 10))};
  }
  return {platform::WString(FieldText(record.OnlineTime)), platform::WString(FieldText(record.OfflineTime))};
}

// "RunOptions" after its "Host", "Port" and "Https".
template <typename Record, typename Visitor>
void VisitRunOptions(Record& r, Visitor& v) {
  v.Text(u"Arguments", r.Arguments);
  v.Text(u"PreloadCommand", r.PreloadEventCommands);
  v.Flag(u"RunAsAdmin", r.RunCommandAsAdmin, 0);
  v.NegatedFlag(u"DownloadAsNeeded", r.FullDownload, false);
  v.Flag(u"ShowBeforeAppRun", r.ShowStartAnimatedWindow, 0);
  v.Flag(u"ValidateBeforeAppRun", r.CheckTqdValidaty, 0);
  v.NegatedFlag(u"ExecuteWhenAppStart", r.AlwaysRunCommand, true);
}

template <typename Record, typename Visitor>
void VisitShortcutOptions(Record& r, Visitor& v) {
  v.Text(u"Name", r.AppShortcutName);
  v.Text(u"Icon", r.AppShortcutImage);
  v.Flag(u"Desktop", r.CreateDesktopShortcut, 0);
  v.Flag(u"StartMenu", r.CreateStartMenuShortcut, 0);
  v.Flag(u"Uninstall", r.CreateAppUninstallShortcut, 0);
}

template <typename Record, typename Visitor>
void VisitHalvernConfig(Record& r, Visitor& v) {
  v.Text(u"Host", r.ServerSettings.webapihost);
  v.Uint(u"Port", r.ServerSettings.webapiport);
  v.Text(u"Path", r.ServerSettings.webapipath);
  v.Flag(u"Https", r.ServerSettings.iswebapihttps, 0);
  v.Text(u"Url", r.ServerSettings.webapiurl);
  v.Int(u"ServerType", r.ServerType, 0);
}

}  // namespace

void WriteRunConfig(JsonObjectBuilder& root, JsonDocument& document, const DeployProjectRecord& record) {
  JsonObjectBuilder section(document, JsonObjectBuilder::Kind::kObject);
  JsonObjectBuilder run(document, JsonObjectBuilder::Kind::kObject);
  WriteRunEndpoint(run, record);
  RecordMemberWriter run_writer(run);
  VisitRunOptions(record, run_writer);
  section.AddValue(u"RunOptions", run);
  JsonObjectBuilder shortcut(document, JsonObjectBuilder::Kind::kObject);
  RecordMemberWriter shortcut_writer(shortcut);
  VisitShortcutOptions(record, shortcut_writer);
  section.AddValue(u"AppShortcurtOptions", shortcut);
  root.AddValue(u"RunConfig", section);
}

void ReadRunConfig(const JsonValue& section, DeployProjectRecord& record) {
  const JsonValue& run = MemberOrNull(section, u"RunOptions");
  ReadRunEndpoint(run, record);
  RecordMemberReader run_reader(run);
  VisitRunOptions(record, run_reader);
  RecordMemberReader shortcut_reader(MemberOrNull(section, u"AppShortcurtOptions"));
  VisitShortcutOptions(record, shortcut_reader);
}

void WriteHalvernConfig(JsonObjectBuilder& root, JsonDocument& document, const DeployProjectRecord& record) {
  JsonObjectBuilder section(document, JsonObjectBuilder::Kind::kObject);
  RecordMemberWriter writer(section);
  VisitHalvernConfig(record, writer);
  root.AddValue(u"HalvernConfig", section);
}

void ReadHalvernConfig(const JsonValue& section, DeployProjectRecord& record) {
  RecordMemberReader reader(section);
  VisitHalvernConfig(record, reader);
}

void WriteDbConfig(JsonDocument& document, const DeployProjectRecord& record, platform::WStringView project_name,
                   const UtcTime& now) {
  document.Root().SetObject();
  JsonObjectBuilder root(document, document.Root());
  root.AddString(u"DbConfig", OutStringView(record.ServerSettings.dbconfig));
  WriteRunConfig(root, document, record);
  WriteBuildConfig(root, document, record, project_name, DeployTimesOf(record, now));
  WriteDeploymentConfig(root, document, record);
  WriteHalvernConfig(root, document, record);
}

std::uint32_t ReadDbConfig(const JsonValue& root, DeployProjectRecord& record) {
  if (!root.IsObject()) return CONFIG_INVALID_JSON;
  const JsonValue* db_config = FindMember(root, u"DbConfig");
  if (db_config == nullptr) return CONFIG_MISSING_MEMBER;
  SetOutString(record.ServerSettings.dbconfig, platform::WString(StringOf(*db_config)).c_str());
  ReadRunConfig(MemberOrNull(root, u"RunConfig"), record);
  ReadBuildConfig(MemberOrNull(root, u"BuildConfig"), record);
  ReadDeploymentConfig(MemberOrNull(root, u"DeploymentConfig"), record);
  ReadHalvernConfig(MemberOrNull(root, u"HalvernConfig"), record);
  return CONFIG_OK;
}
