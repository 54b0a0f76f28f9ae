#include "app_deploy_list.h"

#include <vector>

#include "boundary_guard.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/private_profile.h"
#include "platform/wide_string.h"
#include "text_conversion.h"

namespace {

constexpr char16_t kPublic[] = u"Public";
constexpr char16_t kMinimumValidVersion[] = u"MinimumValidVersion";
constexpr char16_t kOnlineTime[] = u"OnlineTime";
constexpr char16_t kOfflineTime[] = u"OfflineTime";
constexpr char16_t kDeploying[] = u"Deploying";

// Values come back as a caller's buffer of this many units holds them.
constexpr std::size_t kValueCapacity = 260;

std::u16string KeyLine(std::u16string_view key, const char16_t* value) {
  std::u16string line(key);
  line += u'=';
  line += TextView(value);
  return line;
}

// Refused when either edit is; else changed when either is.
platform::ProfileEdit Both(platform::ProfileEdit first, platform::ProfileEdit second) {
  using platform::ProfileEdit;
  if (first == ProfileEdit::kRefused || second == ProfileEdit::kRefused) return ProfileEdit::kRefused;
  return first == ProfileEdit::kChanged || second == ProfileEdit::kChanged ? ProfileEdit::kChanged
                                                                            : ProfileEdit::kUnchanged;
}

}  // namespace

bool CAppDeployList::Open(const char16_t* path, std::u16string& error) {
  return Guarded(false, [&] {
    const std::vector<std::u16string> sections = platform::ReadProfileSectionNames(TextView(path));
    if (sections.empty()) {
      error = platform::Format(u"%s the file is empty", {path});
      return false;
    }
    m_path = TextView(path);
    m_open = true;
    for (const std::u16string& section : sections) {
      if (!platform::WEqualsNoCase(section, kPublic)) m_apps.push_back(section);
    }
    return true;
  });
}

bool CAppDeployList::GetApps(std::list<std::u16string>& apps) {
  if (!m_open) return false;
  return Guarded(false, [&] {
    apps = m_apps;
    return true;
  });
}

bool CAppDeployList::ReadValue(std::u16string_view section, std::u16string_view key, std::u16string& value) {
  if (!m_open) return false;
  return Guarded(false, [&] {
    std::optional<std::u16string> read = platform::ReadProfileString(m_path, section, key, kValueCapacity);
    if (!read || read->empty()) return false;
    value = std::move(*read);
    return true;
  });
}

bool CAppDeployList::GetMinimumValidVersion(std::u16string& version) {
  return ReadValue(kPublic, kMinimumValidVersion, version);
}

bool CAppDeployList::GetOnlineTime(const std::u16string& app, std::u16string& time) {
  return ReadValue(app, kOnlineTime, time);
}

bool CAppDeployList::GetOfflineTime(const std::u16string& app, std::u16string& time) {
  return ReadValue(app, kOfflineTime, time);
}

bool CAppDeployList::IsDeploying(const std::u16string& app, bool& deploying) {
  std::u16string value;
  if (!ReadValue(app, kDeploying, value)) return false;
  if (platform::WEqualsNoCase(value, u"true")) {
    deploying = true;
  } else if (platform::WEqualsNoCase(value, u"false")) {
    deploying = false;
  } else {
    return false;
  }
  return true;
}

// One edit of the list, so that a value the file cannot take (a line
// break, a character its encoding cannot hold) leaves every value unwritten.
bool CAppDeployList::WriteApp(const char16_t* path, const char16_t* app, const char16_t* minimumValidVersion,
                              const char16_t* onlineTime, const char16_t* offlineTime) {
  if (path == nullptr || app == nullptr) return false;
  return Guarded(false, [&] {
    return platform::EditProfile(path, [&](platform::ProfileDocument& list) {
      const platform::ProfileEdit version = list.SetValue(kPublic, kMinimumValidVersion, TextView(minimumValidVersion));
      if (list.SectionLines(app).empty()) {
        return Both(version, list.ReplaceSection(app, {KeyLine(kOnlineTime, onlineTime),
                                                       KeyLine(kOfflineTime, offlineTime)}));
      }
      return Both(version, Both(list.SetValue(app, kOnlineTime, TextView(onlineTime)),
                                list.SetValue(app, kOfflineTime, TextView(offlineTime))));
    });
  });
}

bool CAppDeployList::DeleteApp(const char16_t* path, const char16_t* app) {
  if (path == nullptr || app == nullptr) return false;
  return Guarded(false, [&] { return platform::DeleteProfileSection(path, app); });
}

std::int32_t CAppDeployList::ReloadApps(const std::u16string& path, std::list<std::u16string>& apps) {
  constexpr std::int32_t kNoFile = -2;
  apps.clear();
  m_apps.clear();
  return Guarded(kNoFile, [&] {
    std::u16string error;
    if (!platform::PathExists(path) || !Open(path.c_str(), error)) return kNoFile;
    apps = m_apps;
    return std::int32_t{0};
  });
}

void CAppDeployList::Destroy(unsigned flags) {
  if ((flags & 1) != 0) {
    delete this;
    return;
  }
  m_open = false;
  m_apps.clear();
  m_path.clear();
}
