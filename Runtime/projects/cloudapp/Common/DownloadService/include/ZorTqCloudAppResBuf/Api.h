// Shared definitions of libdrossel's public interfaces.
//
// The library is built with hidden symbols; only its factory is exported.
// Interface classes keep default visibility so that their type information
// is shared with the caller, who may then dynamic_cast between the views of
// one object (for example from IEventArg to IDownloadProgressEventArg).
#pragma once

#define ZOR_INTERFACE __attribute__((visibility("default")))
#define ZOR_EXPORT extern "C" __attribute__((visibility("default")))
