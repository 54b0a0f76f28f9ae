// Names of runtime modules in the deployment-project record: the text
// control's modules of several versions are one module there. Pure, any
// thread.
#pragma once

#include "platform/text_types.h"

// "TX TextControl ActiveX" for the names of its versions (exact,
// case-sensitive comparison); any other name unchanged.
platform::WStringView StoredModuleName(platform::WStringView name);
