// The library's only export.
#include <new>

#include "cloud_config_manager.h"
#include "libpelcor/libpelcor.h"

PELCOR_API ICloudConfigManager* CreateCloudConfigManager() { return new (std::nothrow) CCloudConfigManager(); }
