// A library file on disk, judged by its ELF headers before the dynamic loader
// sees it: is it a library for this machine, is it whole, which libraries
// does it need. The pure functions read nothing outside the bytes they are
// given, whatever those hold; none throws; any thread, except
// LoadCompleteLibrary (see there).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/module.h"
#include "platform/text_types.h"

namespace launcher {

// The ELF header of the program that this code is linked into, as it lies in
// memory (the program's image).
const void* OwnImage();

// True when `bytes` begin with an ELF header of the running program's class,
// byte order and machine, the fields by which the dynamic loader skips a
// library built for another machine.
bool IsElfOfThisMachine(std::string_view bytes);

// True when `image_start` (a file's first bytes, holding at least its ELF
// header and program headers) is an ELF image of this machine whose loadable
// segments lie within `file_size` bytes. The loader maps a segment without
// that check, and touching its missing part kills the process (SIGBUS).
bool SegmentsLieWithinFile(std::string_view image_start, std::uint64_t file_size);

// True when `path` is a regular file that begins as IsElfOfThisMachine asks.
// A file that cannot be opened or read counts as no library.
bool IsLibraryForThisMachine(platform::WStringView path);

// Loads the library at `path` when SegmentsLieWithinFile holds for it; null
// when it does not or the loader fails. Main thread: loading runs the
// library's initialisers.
std::unique_ptr<platform::Module> LoadCompleteLibrary(platform::WStringView path);

struct LibraryDependencies {
  std::vector<std::string> needed;        // DT_NEEDED names, in order
  std::vector<std::string> search_paths;  // DT_RPATH and DT_RUNPATH values as written
};

// What the dynamic segment of an ELF image of this machine names. An image of
// another machine, or one whose tables point outside it, gives what could be
// read within bounds (possibly nothing).
LibraryDependencies ReadLibraryDependencies(std::string_view image);

}  // namespace launcher
