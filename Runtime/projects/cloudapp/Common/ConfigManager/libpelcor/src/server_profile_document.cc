#include "server_profile_document.h"

#include "json_members.h"
#include "json_object_builder.h"
#include "libpelcor/config_result.h"
#include "record_field.h"
#include "record_list.h"
#include "record_list_builder.h"

namespace {

void ReadRemoteServer(const JsonValue& server, RemoteServerNode& node) {
  CopyToField(node.ServerProfile, GetStringMember(server, u"ServerProfile"));
  CopyToField(node.Host, GetStringMember(server, u"Host"));
  node.Port = static_cast<std::uint16_t>(GetIntMember(server, u"Port", 21));
  CopyToField(node.UserName, GetStringMember(server, u"UserName"));
  CopyToField(node.Password, GetStringMember(server, u"Password"));
  node.EncryptionMode = GetIntMember(server, u"EncryptionMode", 0);
}

void WriteRemoteServer(JsonObjectBuilder& array, JsonDocument& document, const RemoteServerNode& node) {
  JsonObjectBuilder server(document, JsonObjectBuilder::Kind::kObject);
  server.AddString(u"ServerProfile", FieldText(node.ServerProfile));
  server.AddString(u"Host", FieldText(node.Host));
  server.AddUint(u"Port", node.Port);
  server.AddString(u"UserName", FieldText(node.UserName));
  server.AddString(u"Password", FieldText(node.Password));
  server.AddInt(u"EncryptionMode", node.EncryptionMode);
  array.PushValue(server);
}

}  // namespace

std::uint32_t ReadServerProfile(const JsonValue& root, ServerProfileRecord& record) {
  if (!root.IsObject()) return CONFIG_INVALID_JSON;
  const JsonValue* local = FindMember(root, u"LocalServer");
  const JsonValue* remote = FindMember(root, u"RemoteServer");
  if (local == nullptr || remote == nullptr) return CONFIG_MISSING_MEMBER;
  if (!local->IsObject() || !remote->IsArray()) return CONFIG_INVALID_JSON;
  RecordListBuilder<RemoteServerNode> servers;
  for (const JsonValue& server : remote->GetArray()) {
    if (server.IsObject()) ReadRemoteServer(server, servers.Append());
  }
  CopyToField(record.Format, GetStringMember(root, u"Format"));
  CopyToField(record.WebRootPath, GetStringMember(*local, u"WebRootPath"));
  FreeRecordList(record.RemoteServers);
  record.RemoteServers = servers.Release();
  return CONFIG_OK;
}

void WriteServerProfile(JsonDocument& document, const ServerProfileRecord& record) {
  document.Root().SetObject();
  JsonObjectBuilder root(document, document.Root());
  root.AddString(u"Format", u"1.0");
  JsonObjectBuilder local(document, JsonObjectBuilder::Kind::kObject);
  local.AddString(u"WebRootPath", FieldText(record.WebRootPath));
  root.AddValue(u"LocalServer", local);
  JsonObjectBuilder remote(document, JsonObjectBuilder::Kind::kArray);
  for (const RemoteServerNode* node = record.RemoteServers; node != nullptr; node = node->Next) {
    WriteRemoteServer(remote, document, *node);
  }
  root.AddValue(u"RemoteServer", remote);
}
