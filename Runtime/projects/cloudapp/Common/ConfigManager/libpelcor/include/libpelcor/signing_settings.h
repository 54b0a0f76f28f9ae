// The "Signing" object shared by the deployment-project and package-profile
// documents: how the built executables are signed. Required in both (see
// their records); its members read as fixed_record.h says. The comment
// gives the member and its type, and the configuration helper's
// "SigningConfig" member where it differs.
#pragma once

#include <cstdint>

struct SigningSettings {
  std::int32_t SignOption = 0;      // "SignOption": integer, the signing method; helper: "SigningType"
  char16_t CustomScript[260] = {};  // "CustomScript": string; helper: "Script"
  char16_t SignTool[260] = {};      // "SignTool": string; helper: "ToolLocation"
  char16_t PfxFile[260] = {};       // "PfxFile": string, certificate file; helper: "Certificate"
  char16_t PfxPassword[256] = {};   // "PfxPassword": string; helper: "Password"
  char16_t Algorithm[32] = {};      // "Algorithm": string; helper: "SignatureAlgorithm"
  char16_t TimeStamp[256] = {};     // "TimeStamp": string, time-stamp server; helper: "TimestampServer"
};
