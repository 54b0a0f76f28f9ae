#include "run_endpoint.h"

#include <cstdint>

#include "json_members.h"
#include "platform/wide_string.h"
#include "record_field.h"

void WriteRunEndpoint(JsonObjectBuilder& object, const DeployProjectRecord& record) {
  object.AddString(u"Host", FieldText(record.RunHost));
  object.AddInt(u"Port", platform::WToInt(FieldText(record.RunPort)));
  object.AddBool(u"Https", record.RunWithHttps != 0);
}

void ReadRunEndpoint(const JsonValue& object, DeployProjectRecord& record) {
  CopyToField(record.RunHost, GetStringMemberOr(object, u"Host", u"localhost"));
  const auto port = static_cast<std::uint16_t>(GetIntMember(object, u"Port", 80));
  CopyToField(record.RunPort, platform::UIntToW(port));
  record.RunWithHttps = GetBoolMember(object, u"Https", false) ? 1 : 0;
}
