#include "signing_settings_json.h"

#include "json_members.h"
#include "libpelcor/config_result.h"
#include "record_field.h"

std::uint32_t ReadSigningConfig(const JsonValue& parent, SigningSettings& signing) {
  const JsonValue* object = FindMember(parent, u"Signing");
  if (object == nullptr) return CONFIG_MISSING_MEMBER;
  if (!object->IsObject()) return CONFIG_INVALID_JSON;
  signing.SignOption = GetIntMember(*object, u"SignOption", 0);
  CopyToField(signing.CustomScript, GetStringMember(*object, u"CustomScript"));
  CopyToField(signing.SignTool, GetStringMember(*object, u"SignTool"));
  CopyToField(signing.PfxFile, GetStringMember(*object, u"PfxFile"));
  CopyToField(signing.PfxPassword, GetStringMember(*object, u"PfxPassword"));
  CopyToField(signing.Algorithm, GetStringMember(*object, u"Algorithm"));
  CopyToField(signing.TimeStamp, GetStringMember(*object, u"TimeStamp"));
  return CONFIG_OK;
}

void WriteSigningConfig(JsonObjectBuilder& parent, JsonDocument& document, const SigningSettings& signing) {
  JsonObjectBuilder object(document, JsonObjectBuilder::Kind::kObject);
  object.AddInt(u"SignOption", signing.SignOption);
  object.AddString(u"CustomScript", FieldText(signing.CustomScript));
  object.AddString(u"SignTool", FieldText(signing.SignTool));
  object.AddString(u"PfxFile", FieldText(signing.PfxFile));
  object.AddString(u"PfxPassword", FieldText(signing.PfxPassword));
  object.AddString(u"Algorithm", FieldText(signing.Algorithm));
  object.AddString(u"TimeStamp", FieldText(signing.TimeStamp));
  parent.AddValue(u"Signing", object);
}

void ReadSigningSection(const JsonValue& object, SigningSettings& signing) {
  CopyToField(signing.CustomScript, GetStringMember(object, u"Script"));
  CopyToField(signing.PfxPassword, GetStringMember(object, u"Password"));
  CopyToField(signing.PfxFile, GetStringMember(object, u"Certificate"));
  CopyToField(signing.SignTool, GetStringMember(object, u"ToolLocation"));
  CopyToField(signing.TimeStamp, GetStringMember(object, u"TimestampServer"));
  signing.SignOption = SwapSigningType(GetIntMember(object, u"SigningType", 0));
  CopyToField(signing.Algorithm, GetStringMember(object, u"SignatureAlgorithm"));
}

void WriteSigningSection(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                         const SigningSettings& signing) {
  JsonObjectBuilder object(document, JsonObjectBuilder::Kind::kObject);
  object.AddString(u"Script", FieldText(signing.CustomScript));
  object.AddString(u"Password", FieldText(signing.PfxPassword));
  object.AddString(u"Certificate", FieldText(signing.PfxFile));
  object.AddString(u"ToolLocation", FieldText(signing.SignTool));
  object.AddString(u"TimestampServer", FieldText(signing.TimeStamp));
  object.AddInt(u"SigningType", SwapSigningType(signing.SignOption));
  object.AddString(u"SignatureAlgorithm", FieldText(signing.Algorithm));
  parent.AddValue(name, object);
}

std::int32_t SwapSigningType(std::int32_t value) {
  // In 64 bits, so that no value overflows.
  return static_cast<std::int32_t>((std::int64_t{3} - value) % 3);
}
