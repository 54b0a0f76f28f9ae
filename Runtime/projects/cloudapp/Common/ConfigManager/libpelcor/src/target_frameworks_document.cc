#include "target_frameworks_document.h"

#include "json_members.h"
#include "libpelcor/config_result.h"
#include "record_field.h"
#include "record_list.h"
#include "record_list_builder.h"

namespace {

template <typename Framework>
void ReadNames(const JsonValue& object, Framework& framework) {
  CopyToField(framework.DisplayName, GetStringMember(object, u"DisplayName"));
  CopyToField(framework.Name, GetStringMember(object, u"Name"));
}

void ReplaceFrameworks(const JsonValue& array, TargetFrameworksRecord& record) {
  RecordListBuilder<TargetFrameworkNode> frameworks;
  for (const JsonValue& element : array.GetArray()) {
    if (element.IsObject()) ReadNames(element, frameworks.Append());
  }
  FreeTargetFrameworkList(record);
  record.Frameworks = frameworks.Release();
}

}  // namespace

std::uint32_t ReadTargetFrameworks(const JsonValue& root, TargetFrameworksRecord& record) {
  if (!root.IsObject()) return CONFIG_INVALID_JSON;
  const JsonValue* support = FindMember(root, u"SupportSwithchTargetFramework");
  const JsonValue* current = FindMember(root, u"TargetFramework");
  const JsonValue* frameworks = FindMember(root, u"SupportTargetFrameworks");
  if ((current != nullptr && !current->IsObject()) || (frameworks != nullptr && !frameworks->IsArray())) {
    return CONFIG_INVALID_JSON;
  }
  if (support != nullptr) record.SupportSwitch = support->IsTrue() ? 1 : 0;
  if (current != nullptr) ReadNames(*current, record.Current);
  if (frameworks != nullptr) ReplaceFrameworks(*frameworks, record);
  return CONFIG_OK;
}

void FreeTargetFrameworkList(TargetFrameworksRecord& record) { FreeRecordList(record.Frameworks); }
