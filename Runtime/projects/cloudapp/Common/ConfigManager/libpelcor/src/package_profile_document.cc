#include "package_profile_document.h"

#include "json_members.h"
#include "libpelcor/config_result.h"
#include "record_members.h"
#include "signing_settings_json.h"

namespace {

// The members before "Signing", in the writer's order, with their defaults
// (visitors: record_members.h).
template <typename Record, typename Visitor>
void VisitPackageMembers(Record& r, Visitor& v) {
  v.Int(u"AppPathOption", r.AppPathOption, 1);
  v.Text(u"AppDownloadPath", r.AppDownloadPath);
  v.Int(u"InstallPathOption", r.InstallPathOption, 1);
  v.Text(u"InstallPath", r.InstallPath);
  v.Text(u"PackageTitle", r.PackageTitle);
  v.Text(u"PackageLogo", r.PackageLogo);
  v.Text(u"AppBackgroundBmp", r.AppBackgroundBmp);
  v.Text(u"AppUpdateBmp", r.AppUpdateBmp);
  v.Text(u"AppLoadingGif", r.AppLoadingGif);
  v.Text(u"AppMainHead", r.AppMainHead);
  v.Int(u"InstallMode", r.InstallMode, 0);
  v.Flag(u"LocalServer", r.LocalServer, 1);
  v.Text(u"OutputPath", r.OutputPath);
  v.Text(u"ServerProfile", r.ServerProfile);
  v.Int(u"RuntimePlatform", r.RuntimePlatform, 3);
  v.Text(u"LauncherName", r.LauncherName);
  v.Flag(u"DefaultPackage", r.DefaultPackage, 1);
  v.Flag(u"UploadServer", r.UploadServer, 1);
  v.Text(u"GenZipPath", r.GenZipPath);
  v.Text(u"RuntimeVersion", r.RuntimeVersion);
  v.Text(u"RuntimeLanguage", r.RuntimeLanguage);
  v.Text(u"Description", r.Description);
  v.Text(u"ProductName", r.ProductName);
}

}  // namespace

std::uint32_t ReadLauncherProfile(const JsonValue& root, PackageProfileRecord& record) {
  if (!root.IsObject()) return CONFIG_INVALID_JSON;
  if (FindMember(root, u"OutputPath") == nullptr || FindMember(root, u"ServerProfile") == nullptr) {
    return CONFIG_MISSING_MEMBER;
  }
  RecordMemberReader reader(root);
  VisitPackageMembers(record, reader);
  return ReadSigningConfig(root, record.Signing);
}

void WriteLauncherProfile(JsonDocument& document, const PackageProfileRecord& record) {
  document.Root().SetObject();
  JsonObjectBuilder root(document, document.Root());
  RecordMemberWriter writer(root);
  VisitPackageMembers(record, writer);
  WriteSigningConfig(root, document, record.Signing);
}
