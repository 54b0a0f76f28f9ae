// Feeds arbitrary bytes to both runtime-manifest loaders: the manifest
// object, whose every query and a few edits then run over what it loaded,
// and the copy of the modules into a caller record.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "json_file.h"
#include "manifest_modules_reader.h"
#include "record_list.h"
#include "runtime_manifest.h"

namespace {

void QueryModules(IRuntimeManifest& manifest) {
  std::vector<std::u16string> names;
  manifest.GetModuleNames(names);
  for (const std::u16string& name : names) {
    std::int32_t number = 0;
    bool flag = false;
    std::u16string text;
    manifest.GetOption(name, number);
    manifest.GetGroupId(name, number);
    manifest.GetClientType(name, number);
    manifest.GetDescription(name, text);
    manifest.HasPackage(name, flag);
  }
  CloudFileList files;
  manifest.GetAllFiles(files);
  CloudFileMap map;
  manifest.MapFilesOfModules(names, map);
}

void QueryGroups(IRuntimeManifest& manifest) {
  std::vector<int> ids;
  manifest.GetGroupIds(ids);
  for (int id : ids) {
    std::u16string name;
    bool dbi = false;
    manifest.GetGroupName(id, name);
    manifest.GetDbi(id, dbi);
  }
  std::u16string text;
  manifest.GetVersion(text);
  manifest.GetFormat(text);
}

void Edit(IRuntimeManifest& manifest) {
  std::vector<std::u16string> names;
  manifest.GetModuleNames(names);
  if (!names.empty()) {
    manifest.SetPackaged(names.front(), true);
    manifest.SetPackaged(names.front(), false);
    manifest.SetDescription(names.front(), u"edited");
  }
  manifest.AddGroup(1, u"group");
  manifest.SetDbi(1, true);
  manifest.RemoveGroup(1);
  manifest.AddModule(u"added");
  QueryModules(manifest);
}

void LoadRecord(const std::uint8_t* data, std::size_t size) {
  JsonDocument document;
  if (ParseJsonText(document, data, size) != 0) return;
  RuntimeModulesRecord record;
  ReadManifestModules(document.Root(), record);
  FreeRecordList(record.Modules);
  FreeRecordList(record.Groups);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto* manifest = new CRuntimeManifest();
  std::u16string error;
  if (manifest->LoadBytes(std::string_view(reinterpret_cast<const char*>(data), size), u"fuzz.json", error)) {
    QueryModules(*manifest);
    QueryGroups(*manifest);
    Edit(*manifest);
  }
  manifest->Release();
  LoadRecord(data, size);
  return 0;
}
