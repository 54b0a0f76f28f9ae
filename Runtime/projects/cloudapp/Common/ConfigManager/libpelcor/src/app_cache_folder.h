// The folder where a deployment project's app is cached while it is built:
// "<temporary folder>/tqappscache 22.0/temp/<app name>", the temporary folder
// being platform::TempFolder() ($TMPDIR, else /tmp). Any thread.
#pragma once

#include "platform/text_types.h"

platform::WString AppCacheFolder(platform::WStringView app_name);
