// The launcher reads the ELF headers of library files it finds on disk: any
// bytes must be read within bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "library_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  launcher::ReadLibraryDependencies(bytes);
  launcher::SegmentsLieWithinFile(bytes, size);
  return 0;
}
