// The contract between the launcher and the Lumarine runtime library
// (libtqvm.so) that it enters. The header compiles as C (C11 or later) and
// as C++, and declares the same two entries in both, with the same types
// (char16_t comes from <uchar.h> in C: a 16-bit unsigned integer, like C++'s
// char16_t).
//
// A runtime includes this header and defines FN_RunExecutable and
// PD_HostAttachedTarget as plain functions: the declarations here give them
// C linkage and default visibility, so that the launcher finds them by name
// also in a library built with -fvisibility=hidden.
//
// The launcher calls exactly one of them, once, on its main thread:
// PD_HostAttachedTarget when the command tail (below) holds the text
// "TQHostAttachedDebug" anywhere (case-sensitive, also inside a longer
// argument), FN_RunExecutable otherwise. It unloads the runtime when the
// entry returns and exits with the entry's result; an exit code keeps its
// low 8 bits (-1 is seen as 255). A runtime without PD_HostAttachedTarget
// makes a start for the debugger exit with 255, without a message.
//
// The arguments of either entry:
// - `instance`: the address of the launcher executable's ELF header in
//   memory (its image, as a module handle names it);
// - `previous_instance`: always null;
// - `command_tail`: the launcher's arguments after the program's own name,
//   as one null-terminated UTF-16 text in the machine's byte order (a
//   character beyond U+FFFF as a surrogate pair), owned by the launcher and
//   valid during the call. Each argument is converted from UTF-8 (each
//   ill-formed stretch of bytes becomes one U+FFFD) and written as a Windows
//   command line writes it: as it stands when it is not empty and holds no
//   blank, tab or double quote; otherwise between double quotes, each double
//   quote inside preceded by a backslash and the backslashes that come
//   before a double quote, or before the closing one, doubled. The arguments
//   are joined with one blank; no arguments give the empty text. So
//   `hello one "two words" 'say "hi"'` gives the tail
//   one "two words" "say \"hi\""
//   which the Windows rules for splitting a command line turn back into the
//   three arguments;
// - `show_window`: the show-window code, always 10 ("show default");
// - `reserved_1000` and `reserved_0`: always 1000 and 0; their meaning is
//   the runtime's.
#pragma once

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

// The type of both entries.
typedef int (*TqvmEntry)(void* instance, void* previous_instance, const char16_t* command_tail, int show_window,
                         int reserved_1000, int reserved_0);

// The entry for a normal start.
__attribute__((visibility("default"))) int FN_RunExecutable(void* instance, void* previous_instance,
                                                            const char16_t* command_tail, int show_window,
                                                            int reserved_1000, int reserved_0);

// The entry for a start for the debugger.
__attribute__((visibility("default"))) int PD_HostAttachedTarget(void* instance, void* previous_instance,
                                                                 const char16_t* command_tail, int show_window,
                                                                 int reserved_1000, int reserved_0);

#ifdef __cplusplus
}  // extern "C"

namespace launcher {

// The runtime library's file name.
inline constexpr char16_t kRuntimeLibraryName[] = u"libtqvm.so";

// The entry for a normal start, and the one used when the command tail
// holds kDebugToken.
inline constexpr char kRunEntryName[] = "FN_RunExecutable";
inline constexpr char kDebugEntryName[] = "PD_HostAttachedTarget";
inline constexpr char16_t kDebugToken[] = u"TQHostAttachedDebug";

// Fixed arguments of every entry call.
inline constexpr int kShowWindowDefault = 10;
inline constexpr int kEntryReserved1000 = 1000;
inline constexpr int kEntryReserved0 = 0;

}  // namespace launcher
#endif
