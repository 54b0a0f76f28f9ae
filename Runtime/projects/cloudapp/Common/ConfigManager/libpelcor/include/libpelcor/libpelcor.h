// libpelcor: the cloud-app configuration library. It reads, edits and
// writes the documents that describe an installable cloud app and its
// deployment project.
//
// The library exports one function. Everything else is reached from the
// manager it returns; objects end through their own Release, never delete.
#pragma once

#include "libpelcor/app_config_record.h"
#include "libpelcor/cloud_file_info.h"
#include "libpelcor/cloud_program_info.h"
#include "libpelcor/config_result.h"
#include "libpelcor/deploy_project_record.h"
#include "libpelcor/i_app_deploy_list.h"
#include "libpelcor/i_app_manifest.h"
#include "libpelcor/i_cloud_config_helper.h"
#include "libpelcor/i_cloud_config_manager.h"
#include "libpelcor/i_html_file.h"
#include "libpelcor/i_hv_deploy_solution.h"
#include "libpelcor/i_runtime_manifest.h"
#include "libpelcor/i_tq_cloud_plugins.h"
#include "libpelcor/out_string.h"
#include "libpelcor/pelcor_export.h"
#include "libpelcor/profile_records.h"
#include "libpelcor/runtime_modules_record.h"
#include "libpelcor/signing_settings.h"

// A new manager, owned by the caller and ended with its Release; null when
// it cannot be allocated. Any thread.
PELCOR_API ICloudConfigManager* CreateCloudConfigManager();

// The type of CreateCloudConfigManager, for callers that bind it with dlsym.
using CreateCloudConfigManagerFn = ICloudConfigManager* (*)();
