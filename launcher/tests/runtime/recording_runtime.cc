// A stand-in for the Lumarine runtime. Each entry writes what it received to
// the file named by TQVM_RECORD_FILE, one "key=value" line each, and returns
// the number in TQVM_EXIT_CODE.
#include <dlfcn.h>
#include <link.h>
#include <sys/auxv.h>

#include <cstdlib>
#include <fstream>
#include <type_traits>

#include "launcher/runtime_entry.h"
#include "platform/unicode.h"

#ifdef RECORDING_RUNTIME_DEPENDENCY
extern "C" int tqvm_test_dependency_marker();
#endif

namespace {

// "executable" when `instance` is the executable's ELF header: its program
// headers lie where the kernel says the executable's are.
const char* DescribeInstance(const void* instance) {
  const auto* header = static_cast<const ElfW(Ehdr)*>(instance);
  const bool image = header != nullptr && reinterpret_cast<unsigned long>(header) + header->e_phoff == getauxval(AT_PHDR);
  return image ? "executable" : "other";
}

int Record(const char* entry, void* instance, void* previous, const char16_t* tail, int show, int reserved_1000,
           int reserved_0) {
  Dl_info self{};
  dladdr(reinterpret_cast<void*>(&Record), &self);
  const char* library_path = std::getenv("LD_LIBRARY_PATH");
  std::ofstream(std::getenv("TQVM_RECORD_FILE"))
      << "entry=" << entry << "\ninstance=" << DescribeInstance(instance)
      << "\nprevious_instance=" << (previous == nullptr ? "null" : "other")
      << "\ntail=" << platform::Utf16ToUtf8(tail) << "\nshow_window=" << show << "\nreserved_1000=" << reserved_1000
      << "\nreserved_0=" << reserved_0 << "\nld_library_path=" << (library_path ? library_path : "(unset)")
      << "\nlibrary=" << self.dli_fname << "\n";
#ifdef RECORDING_RUNTIME_DEPENDENCY
  tqvm_test_dependency_marker();
#endif
  return std::atoi(std::getenv("TQVM_EXIT_CODE"));
}

}  // namespace

// Defined as plain functions, built with hidden visibility: the header's
// declarations alone must make them the exports the launcher looks for.
int FN_RunExecutable(void* instance, void* previous, const char16_t* tail, int show, int reserved_1000,
                     int reserved_0) {
  return Record(launcher::kRunEntryName, instance, previous, tail, show, reserved_1000, reserved_0);
}
static_assert(std::is_same_v<decltype(&FN_RunExecutable), TqvmEntry>, "the launcher's entry type");

#ifndef RECORDING_RUNTIME_WITHOUT_DEBUG_ENTRY
int PD_HostAttachedTarget(void* instance, void* previous, const char16_t* tail, int show, int reserved_1000,
                          int reserved_0) {
  return Record(launcher::kDebugEntryName, instance, previous, tail, show, reserved_1000, reserved_0);
}
#endif
