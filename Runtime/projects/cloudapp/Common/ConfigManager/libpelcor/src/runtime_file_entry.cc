#include "runtime_file_entry.h"

#include "json_members.h"

namespace {

platform::WStringView TrimSpaces(platform::WStringView text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == platform::WStringView::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

}  // namespace

CloudFileInfo ReadFileEntry(const JsonValue& entry) {
  CloudFileInfo file;
  file.Name = GetStringMember(entry, u"name");
  file.NeedExtract = GetBoolMember(entry, u"isneedextract", false);
  file.PackageName = GetStringMember(entry, u"packagename");
  file.Size = GetUintMember(entry, u"size", 0);
  file.Path = GetStringMember(entry, u"path");
  file.Action = TrimSpaces(GetStringMember(entry, u"action"));
  file.HashCode = GetStringMember(entry, u"hashcode");
  return file;
}

void PushFileEntry(JsonObjectBuilder& files, JsonDocument& document, const CloudFileInfo& file) {
  JsonObjectBuilder entry(document, JsonObjectBuilder::Kind::kObject);
  entry.AddString(u"name", file.Name);
  entry.AddUint(u"size", file.Size);
  entry.AddString(u"path", file.Path);
  entry.AddString(u"action", file.Action);
  entry.AddString(u"hashcode", file.HashCode);
  entry.AddBool(u"isneedextract", file.NeedExtract);
  entry.AddString(u"packagename", file.PackageName);
  files.PushValue(entry);
}
