// The script-engine types: contexts, values, native function handlers,
// exceptions and stack traces.
#pragma once

#include "cef_v8_context.h"
#include "cef_v8_exception.h"
#include "cef_v8_handler.h"
#include "cef_v8_stack_trace.h"
#include "cef_v8_value.h"
