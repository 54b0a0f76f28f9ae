#include "name_list_document.h"

#include "json_members.h"
#include "libpelcor/config_result.h"
#include "record_field.h"
#include "record_list.h"
#include "record_list_builder.h"

std::uint32_t ReadNameList(const JsonValue& root, NameListNode*& head) {
  if (!root.IsArray()) return CONFIG_INVALID_JSON;
  RecordListBuilder<NameListNode> names;
  for (const JsonValue& element : root.GetArray()) {
    if (!element.IsObject()) continue;
    NameListNode& node = names.Append();
    CopyToField(node.DisplayName, GetStringMember(element, u"DisplayName"));
    CopyToField(node.Name, GetStringMember(element, u"Name"));
    CopyToField(node.Description, GetStringMember(element, u"Description"));
  }
  FreeRecordList(head);
  head = names.Release();
  return CONFIG_OK;
}
