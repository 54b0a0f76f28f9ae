// The contract between the launcher and the Lumarine runtime library that it
// enters. A runtime exports both entries with C linkage; the launcher calls
// exactly one of them, once, on its main thread, and exits with its result
// (an exit code keeps its low 8 bits).
//
// A runtime includes this header and defines FN_RunExecutable and
// PD_HostAttachedTarget (below) as plain functions: the declarations here
// give them C linkage and default visibility, so that the launcher finds
// them by name also in a library built with -fvisibility=hidden.
#pragma once

extern "C" {

// `instance`: the address of the launcher executable's ELF header in memory
// (its image, as a module handle names it). `previous_instance`: always null.
// `command_tail`: the command line without the program's own name,
// null-terminated UTF-16, owned by the launcher and valid during the call.
// `show_window`: the show-window code (10, "show default"). `reserved_1000`
// and `reserved_0` are always 1000 and 0; their meaning is the runtime's.
using TqvmEntry = int (*)(void* instance, void* previous_instance, const char16_t* command_tail,
                          int show_window, int reserved_1000, int reserved_0);

// The entry for a normal start.
__attribute__((visibility("default"))) int FN_RunExecutable(void* instance, void* previous_instance,
                                                            const char16_t* command_tail, int show_window,
                                                            int reserved_1000, int reserved_0);

// The entry used when the command line holds "TQHostAttachedDebug". A
// runtime without it makes such a start exit with -1 (255).
__attribute__((visibility("default"))) int PD_HostAttachedTarget(void* instance, void* previous_instance,
                                                                 const char16_t* command_tail, int show_window,
                                                                 int reserved_1000, int reserved_0);

}  // extern "C"

namespace launcher {

// The runtime library's file name.
inline constexpr char16_t kRuntimeLibraryName[] = u"libtqvm.so";

// The entry for a normal start, and the one used when the command line
// holds kDebugToken.
inline constexpr char kRunEntryName[] = "FN_RunExecutable";
inline constexpr char kDebugEntryName[] = "PD_HostAttachedTarget";
inline constexpr char16_t kDebugToken[] = u"TQHostAttachedDebug";

// Fixed arguments of every entry call.
inline constexpr int kShowWindowDefault = 10;
inline constexpr int kEntryReserved1000 = 1000;
inline constexpr int kEntryReserved0 = 0;

}  // namespace launcher
