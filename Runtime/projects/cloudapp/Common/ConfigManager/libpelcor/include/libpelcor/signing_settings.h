// The "Signing" object shared by the deployment-project and package-profile
// documents: how the built executables are signed. The comment names the
// configuration helper's "SigningConfig" member where it differs.
#pragma once

#include <cstdint>

struct SigningSettings {
  std::int32_t SignOption = 0;      // signing method; helper: "SigningType"
  char16_t CustomScript[260] = {};  // helper: "Script"
  char16_t SignTool[260] = {};      // helper: "ToolLocation"
  char16_t PfxFile[260] = {};       // certificate file; helper: "Certificate"
  char16_t PfxPassword[256] = {};   // helper: "Password"
  char16_t Algorithm[32] = {};      // helper: "SignatureAlgorithm"
  char16_t TimeStamp[256] = {};     // time-stamp server; helper: "TimestampServer"
};
