#include "runtime_module_names.h"

platform::WStringView StoredModuleName(platform::WStringView name) {
  static constexpr platform::WStringView kTextControl = u"TX TextControl ActiveX";
  static constexpr platform::WStringView kTextControlVersions[] = {
      u"TX TextControl ActiveX 15.0",
      u"TX TextControl ActiveX 28.0",
      u"Rich Edit Control (Quorin Edit Control)",
      u"TX TextControl ActiveX 30.0",
  };
  for (const platform::WStringView version : kTextControlVersions) {
    if (name == version) return kTextControl;
  }
  return name;
}
