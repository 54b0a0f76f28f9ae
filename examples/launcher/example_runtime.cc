// An example Lumarine runtime: prints which entry the launcher called, with
// what, from where, and returns 0.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "launcher/runtime_entry.h"
#include "utf16_text.h"  // Utf8(), from examples/common/

namespace {

int Describe(const char* entry, const char16_t* tail, int show_window, int reserved_1000, int reserved_0) {
  Dl_info self{};
  dladdr(reinterpret_cast<void*>(&Describe), &self);
  const char* search_path = std::getenv("LD_LIBRARY_PATH");
  std::printf("  runtime entered through %s\n", entry);
  std::printf("  loaded from        %s\n", self.dli_fname ? self.dli_fname : "?");
  std::printf("  command line tail  [%s]\n", Utf8(tail).c_str());
  std::printf("  show window %d, then %d and %d\n", show_window, reserved_1000, reserved_0);
  std::printf("  LD_LIBRARY_PATH    %s\n", search_path ? search_path : "(unset)");
  std::fflush(stdout);
  return 0;
}

}  // namespace

// The two entries, declared by runtime_entry.h (which gives them C linkage
// and exports them).
int FN_RunExecutable(void*, void*, const char16_t* tail, int show, int reserved_1000, int reserved_0) {
  return Describe(launcher::kRunEntryName, tail, show, reserved_1000, reserved_0);
}

int PD_HostAttachedTarget(void*, void*, const char16_t* tail, int show, int reserved_1000, int reserved_0) {
  return Describe(launcher::kDebugEntryName, tail, show, reserved_1000, reserved_0);
}
