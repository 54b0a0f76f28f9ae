#include "manifest_modules_reader.h"

#include "json_members.h"
#include "libpelcor/config_result.h"
#include "record_field.h"
#include "record_list_builder.h"

namespace {

std::int32_t ModuleOption(const JsonValue& module) {
  const JsonValue* option = FindMember(module, u"option");
  std::int32_t number = 0;
  if (option == nullptr) return 0;
  if (option->IsBool()) return option->IsTrue() ? 3 : 0;
  return ReadInt32(*option, number) ? number : 0;
}

RuntimeModuleNode* ReadModules(const JsonValue& modules) {
  RecordListBuilder<RuntimeModuleNode> list;
  for (const JsonValue& module : modules.GetArray()) {
    if (!module.IsObject()) continue;
    RuntimeModuleNode& node = list.Append();
    CopyToField(node.Name, GetStringMember(module, u"name"));
    node.Option = ModuleOption(module);
    node.GroupId = GetIntMember(module, u"groupid", 0);
    node.ClientType = GetIntMember(module, u"clienttype", 1);
  }
  return list.Release();
}

RuntimeGroupNode* ReadGroups(const JsonValue& groups) {
  RecordListBuilder<RuntimeGroupNode> list;
  for (const JsonValue& group : groups.GetArray()) {
    if (!group.IsObject()) continue;
    RuntimeGroupNode& node = list.Append();
    CopyToField(node.Name, GetStringMember(group, u"name"));
    node.GroupId = GetIntMember(group, u"groupid", 0);
    node.Dbi = GetBoolMember(group, u"dbi", false) ? 1 : 0;
  }
  return list.Release();
}

}  // namespace

std::uint32_t ReadManifestModules(const JsonValue& root, RuntimeModulesRecord& record) {
  if (!root.IsObject()) return CONFIG_INVALID_JSON;
  const JsonValue* modules;
  const std::uint32_t code = FindRequiredArray(root, u"modules", modules);
  if (code != CONFIG_OK) return code;
  const JsonValue* groups;
  const std::uint32_t groups_code = FindRequiredArray(root, u"groups", groups);
  if (groups_code == CONFIG_INVALID_JSON) return groups_code;
  record.Modules = ReadModules(*modules);
  CopyToField(record.Version, GetStringMember(root, u"version"));
  if (groups_code != CONFIG_OK) return groups_code;
  record.Groups = ReadGroups(*groups);
  return CONFIG_OK;
}
