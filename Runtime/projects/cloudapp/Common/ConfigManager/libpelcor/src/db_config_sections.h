// The four sections of the DbConfig text (db_config_text.h). Each writer
// appends its section to the root object; each reader takes the section's
// value (any other JSON type than an object reads as an empty object) and
// never fails. One thread at a time per document and record.
#pragma once

#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/deploy_project_record.h"
#include "platform/text_types.h"

// The deployment times that "BuildConfig" writes.
struct DeployTimes {
  platform::WString online;
  platform::WString offline;
};

void WriteRunConfig(JsonObjectBuilder& root, JsonDocument& document, const DeployProjectRecord& record);
void ReadRunConfig(const JsonValue& section, DeployProjectRecord& record);

void WriteBuildConfig(JsonObjectBuilder& root, JsonDocument& document, const DeployProjectRecord& record,
                      platform::WStringView project_name, const DeployTimes& times);
void ReadBuildConfig(const JsonValue& section, DeployProjectRecord& record);

void WriteDeploymentConfig(JsonObjectBuilder& root, JsonDocument& document, const DeployProjectRecord& record);
void ReadDeploymentConfig(const JsonValue& section, DeployProjectRecord& record);

void WriteHalvernConfig(JsonObjectBuilder& root, JsonDocument& document, const DeployProjectRecord& record);
void ReadHalvernConfig(const JsonValue& section, DeployProjectRecord& record);
