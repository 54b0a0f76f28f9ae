#include "platform/private_profile.h"

#include <mutex>

#include "platform/files.h"
#include "platform/wide_string.h"

namespace platform {
namespace {

// The document of a file for reading: a missing or unreadable file is an
// empty document.
ProfileDocument ReadDocument(WStringView file) {
  const std::optional<std::string> bytes = ReadWholeFile(file);
  return bytes ? ProfileDocument::Parse(*bytes) : ProfileDocument();
}

}  // namespace

bool EditProfile(WStringView file, const std::function<ProfileEdit(ProfileDocument&)>& edit) {
  static std::mutex write_lock;
  const std::lock_guard<std::mutex> hold(write_lock);
  ProfileDocument document;
  if (PathExists(file)) {
    const std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) return false;
    document = ProfileDocument::Parse(*bytes);
  }
  switch (edit(document)) {
    case ProfileEdit::kRefused:
      return false;
    case ProfileEdit::kUnchanged:
      return true;
    case ProfileEdit::kChanged:
      break;
  }
  const std::optional<std::string> bytes = document.Serialize();
  return bytes && ReplaceFileAtomically(file, *bytes);
}

std::vector<WString> ReadProfileSectionNames(WStringView file) { return ReadDocument(file).SectionNames(); }

std::vector<WString> ReadProfileSection(WStringView file, WStringView section) {
  return ReadDocument(file).SectionLines(section);
}

std::optional<WString> ReadProfileString(WStringView file, WStringView section, WStringView key,
                                         std::size_t capacity) {
  std::optional<WString> value = ReadDocument(file).Value(section, key);
  if (value && value->size() >= capacity) {
    WString cut(capacity, u'\0');
    cut.resize(WCopyTruncated(cut.data(), capacity, *value));
    value = std::move(cut);
  }
  return value;
}

bool WriteProfileString(WStringView file, WStringView section, WStringView key, WStringView value) {
  return EditProfile(file, [&](ProfileDocument& document) { return document.SetValue(section, key, value); });
}

bool WriteProfileSection(WStringView file, WStringView section, const std::vector<WString>& lines) {
  return EditProfile(file, [&](ProfileDocument& document) { return document.ReplaceSection(section, lines); });
}

bool DeleteProfileKey(WStringView file, WStringView section, WStringView key) {
  return EditProfile(file, [&](ProfileDocument& document) { return document.DeleteKey(section, key); });
}

bool DeleteProfileSection(WStringView file, WStringView section) {
  return EditProfile(file, [&](ProfileDocument& document) { return document.DeleteSection(section); });
}

}  // namespace platform
