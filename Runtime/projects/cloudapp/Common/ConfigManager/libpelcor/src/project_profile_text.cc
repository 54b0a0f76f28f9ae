#include "project_profile_text.h"

#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"
#include "out_string_block.h"
#include "record_field.h"
#include "run_endpoint.h"

void WriteProjectProfile(JsonDocument& document, const DeployProjectRecord& record) {
  document.Root().SetObject();
  JsonObjectBuilder root(document, document.Root());
  root.AddString(u"AppName", FieldText(record.AppName));
  root.AddString(u"DbProfile", FieldText(record.DbProfile));
  root.AddString(u"ServerProfile", FieldText(record.ProjectServerProfile));
  WriteRunEndpoint(root, record);
  root.AddString(u"HalvernUrl", FieldText(record.ServerSettings.webapiurl));
  root.AddString(u"DbConfig", OutStringView(record.ServerSettings.dbconfig));
}

std::uint32_t ReadProjectProfile(const JsonValue& root, DeployProjectRecord& record) {
  if (!root.IsObject()) return CONFIG_INVALID_JSON;
  CopyToField(record.DbProfile, GetStringMember(root, u"DbProfile"));
  CopyToField(record.ProjectServerProfile, GetStringMember(root, u"ServerProfile"));
  ReadRunEndpoint(root, record);
  return CONFIG_OK;
}
