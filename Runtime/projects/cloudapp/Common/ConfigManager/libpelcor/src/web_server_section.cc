#include "web_server_section.h"

#include <cstdint>

#include "json_members.h"
#include "record_field.h"
#include "record_list.h"
#include "record_list_builder.h"

namespace {

void WriteEntry(JsonObjectBuilder& section, JsonObjectBuilder& options, platform::WStringView profile_name,
                std::int32_t server_type, JsonDocument& document) {
  JsonObjectBuilder entry(document, JsonObjectBuilder::Kind::kObject);
  entry.AddValue(u"Options", options);
  entry.AddString(u"ProfileName", profile_name);
  entry.AddInt(u"ServerType", server_type);
  section.PushValue(entry);
}

void WriteRemoteServer(JsonObjectBuilder& section, JsonDocument& document, const RemoteServerNode& server) {
  JsonObjectBuilder options(document, JsonObjectBuilder::Kind::kObject);
  options.AddString(u"Host", FieldText(server.Host));
  options.AddUint(u"Port", server.Port);
  options.AddString(u"Username", FieldText(server.UserName));
  options.AddString(u"Password", FieldText(server.Password));
  options.AddInt(u"Encryption", server.EncryptionMode);
  WriteEntry(section, options, FieldText(server.ServerProfile), 1, document);
}

void ReadRemoteServer(const JsonValue& entry, const JsonValue& options, RemoteServerNode& server) {
  CopyToField(server.ServerProfile, GetStringMember(entry, u"ProfileName"));
  CopyToField(server.Host, GetStringMember(options, u"Host"));
  server.Port = static_cast<std::uint16_t>(GetIntMember(options, u"Port", 21));
  CopyToField(server.UserName, GetStringMember(options, u"Username"));
  CopyToField(server.Password, GetStringMember(options, u"Password"));
  server.EncryptionMode = GetIntMember(options, u"Encryption", 0);
}

}  // namespace

void WriteWebServerConfig(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                          const ServerProfileRecord& profile) {
  JsonObjectBuilder section(document, JsonObjectBuilder::Kind::kArray);
  const platform::WStringView root = FieldText(profile.WebRootPath);
  if (!root.empty()) {
    JsonObjectBuilder options(document, JsonObjectBuilder::Kind::kObject);
    options.AddString(u"Root", root);
    WriteEntry(section, options, u"Local", 0, document);
  }
  for (const RemoteServerNode* server = profile.RemoteServers; server != nullptr; server = server->Next) {
    WriteRemoteServer(section, document, *server);
  }
  parent.AddValue(name, section);
}

void ReadWebServerConfig(const JsonValue& section, ServerProfileRecord& profile) {
  platform::WString root;
  RecordListBuilder<RemoteServerNode> servers;
  if (section.IsArray()) {
    for (const JsonValue& entry : section.GetArray()) {
      if (!entry.IsObject()) continue;
      const JsonValue& options = MemberOrNull(entry, u"Options");
      if (GetIntMember(entry, u"ServerType", 0) == 0) {
        root = GetStringMember(options, u"Root");
      } else {
        ReadRemoteServer(entry, options, servers.Append());
      }
    }
  }
  CopyToField(profile.WebRootPath, root);
  FreeRecordList(profile.RemoteServers);
  profile.RemoteServers = servers.Release();
}
