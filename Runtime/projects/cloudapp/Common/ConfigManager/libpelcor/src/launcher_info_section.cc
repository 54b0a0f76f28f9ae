#include "launcher_info_section.h"

#include "json_members.h"
#include "record_members.h"
#include "signing_settings_json.h"

namespace {

// The members before "SigningConfig", in writing order.
template <typename Record, typename Visitor>
void VisitInfoMembers(Record& r, Visitor& v) {
  v.Text(u"Name", r.LauncherName);
  v.Text(u"Logo", r.PackageLogo);
  v.Text(u"Title", r.PackageTitle);
  v.Text(u"Version", r.RuntimeVersion);
  v.Text(u"ProductName", r.ProductName);
  v.Text(u"Description", r.Description);
  v.Text(u"AppInstallPath", r.AppDownloadPath);
  v.Text(u"LauncherSavePath", r.OutputPath);
  v.Text(u"LauncherInstallPath", r.InstallPath);
  v.Text(u"Background", r.AppBackgroundBmp);
  v.Text(u"UpdateImage", r.AppUpdateBmp);
  v.Text(u"LoadingImage", r.AppLoadingGif);
  v.Text(u"MainHeading", r.AppMainHead);
  v.Int(u"LauncherMode", r.InstallMode, 0);
}

// The members after it.
template <typename Record, typename Visitor>
void VisitInstallPathOptions(Record& r, Visitor& v) {
  v.NegatedFlag(u"AllowChangeAppInstallPath", r.AppPathOption, false);
  v.NegatedFlag(u"AllowChangeLauncherInstallPath", r.InstallPathOption, false);
}

}  // namespace

void WriteLauncherInfo(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                       const LauncherSettingsRecord& record) {
  JsonObjectBuilder section(document, JsonObjectBuilder::Kind::kObject);
  RecordMemberWriter writer(section);
  VisitInfoMembers(record, writer);
  WriteSigningSection(section, document, u"SigningConfig", record.Signing);
  VisitInstallPathOptions(record, writer);
  parent.AddValue(name, section);
}

void ReadLauncherInfo(const JsonValue& section, LauncherSettingsRecord& record) {
  RecordMemberReader reader(section);
  VisitInfoMembers(record, reader);
  ReadSigningSection(MemberOrNull(section, u"SigningConfig"), record.Signing);
  VisitInstallPathOptions(record, reader);
}
