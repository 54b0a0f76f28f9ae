#include "library_file.h"

#include <elf.h>
#include <link.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/files.h"

// Defined by the linker: the ELF header at the start of the loaded image.
extern "C" const ElfW(Ehdr) __ehdr_start __attribute__((visibility("hidden")));

namespace launcher {
namespace {

template <typename T>
bool ReadAt(std::string_view image, std::uint64_t offset, T* out) {
  if (offset > image.size() || image.size() - offset < sizeof(T)) return false;
  std::memcpy(out, image.data() + offset, sizeof(T));
  return true;
}

std::optional<ElfW(Ehdr)> HeaderOfThisMachine(std::string_view image) {
  ElfW(Ehdr) header;
  if (!IsElfOfThisMachine(image) || !ReadAt(image, 0, &header)) return std::nullopt;
  return header;
}

// The program headers, or none when their table does not lie wholly in `image`.
std::vector<ElfW(Phdr)> ProgramHeaders(std::string_view image, const ElfW(Ehdr)& header) {
  std::vector<ElfW(Phdr)> segments;
  if (header.e_phnum == 0 || header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phoff > image.size() ||
      (image.size() - header.e_phoff) / sizeof(ElfW(Phdr)) < header.e_phnum) {
    return segments;
  }
  segments.resize(header.e_phnum);
  std::memcpy(segments.data(), image.data() + header.e_phoff, header.e_phnum * sizeof(ElfW(Phdr)));
  return segments;
}

// The file offset of a virtual address inside a loadable segment's file part.
std::optional<std::uint64_t> FileOffsetOf(const std::vector<ElfW(Phdr)>& segments, std::uint64_t address) {
  for (const ElfW(Phdr)& segment : segments) {
    if (segment.p_type == PT_LOAD && address >= segment.p_vaddr && address - segment.p_vaddr < segment.p_filesz) {
      return segment.p_offset + (address - segment.p_vaddr);
    }
  }
  return std::nullopt;
}

// The null-terminated string at `offset` of a string table; "" when it does
// not lie wholly inside the table.
std::string StringAt(std::string_view table, std::uint64_t offset) {
  if (offset >= table.size()) return {};
  std::string_view rest = table.substr(offset);
  std::size_t end = rest.find('\0');
  return end == std::string_view::npos ? std::string() : std::string(rest.substr(0, end));
}

struct DynamicEntries {
  std::vector<std::uint64_t> needed;
  std::vector<std::uint64_t> search_paths;
  std::uint64_t string_table = 0;
  std::uint64_t string_table_size = 0;
};

DynamicEntries ReadDynamicEntries(std::string_view image, const ElfW(Phdr)& dynamic) {
  DynamicEntries entries;
  if (dynamic.p_offset > image.size()) return entries;
  const std::uint64_t end = dynamic.p_offset + std::min<std::uint64_t>(dynamic.p_filesz, image.size() - dynamic.p_offset);
  ElfW(Dyn) entry;
  for (std::uint64_t at = dynamic.p_offset; at < end && ReadAt(image, at, &entry); at += sizeof(entry)) {
    switch (entry.d_tag) {
      case DT_NULL: return entries;
      case DT_NEEDED: entries.needed.push_back(entry.d_un.d_val); break;
      case DT_RPATH:
      case DT_RUNPATH: entries.search_paths.push_back(entry.d_un.d_val); break;
      case DT_STRTAB: entries.string_table = entry.d_un.d_ptr; break;
      case DT_STRSZ: entries.string_table_size = entry.d_un.d_val; break;
      default: break;
    }
  }
  return entries;
}

void AppendStrings(std::string_view table, const std::vector<std::uint64_t>& offsets, std::vector<std::string>& out) {
  for (std::uint64_t offset : offsets) {
    std::string text = StringAt(table, offset);
    if (!text.empty()) out.push_back(std::move(text));
  }
}

// A regular file's first bytes (its ELF header and, when asked, the program
// headers that follow it) and its size.
struct FileStart {
  std::string bytes;
  std::uint64_t size = 0;
};

constexpr std::uint64_t kHeaderLimit = std::uint64_t{1} << 24;

// Appends up to `count` more bytes of `file` to `bytes`.
void ReadMore(std::FILE* file, std::uint64_t count, std::string& bytes) {
  const std::size_t had = bytes.size();
  bytes.resize(had + count);
  bytes.resize(had + std::fread(bytes.data() + had, 1, count, file));
}

std::optional<FileStart> ReadFileStart(platform::WStringView path, bool with_program_headers) {
  if (!platform::IsRegularFile(path)) return std::nullopt;
  std::FILE* file = platform::OpenFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  FileStart start;
  ReadMore(file, sizeof(ElfW(Ehdr)), start.bytes);
  ElfW(Ehdr) header;
  if (with_program_headers && ReadAt(start.bytes, 0, &header) && header.e_phoff <= kHeaderLimit) {
    const std::uint64_t table_end =
        std::min(kHeaderLimit, header.e_phoff + std::uint64_t{header.e_phnum} * header.e_phentsize);
    if (table_end > start.bytes.size()) ReadMore(file, table_end - start.bytes.size(), start.bytes);
  }
  const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  std::fclose(file);
  if (size < 0) return std::nullopt;
  start.size = static_cast<std::uint64_t>(size);
  return start;
}

}  // namespace

const void* OwnImage() { return &__ehdr_start; }

bool IsElfOfThisMachine(std::string_view bytes) {
  ElfW(Ehdr) header;
  if (!ReadAt(bytes, 0, &header)) return false;
  const ElfW(Ehdr)& own = __ehdr_start;
  return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 && header.e_ident[EI_CLASS] == own.e_ident[EI_CLASS] &&
         header.e_ident[EI_DATA] == own.e_ident[EI_DATA] && header.e_machine == own.e_machine;
}

bool SegmentsLieWithinFile(std::string_view image_start, std::uint64_t file_size) {
  const std::optional<ElfW(Ehdr)> header = HeaderOfThisMachine(image_start);
  if (!header) return false;
  const std::vector<ElfW(Phdr)> segments = ProgramHeaders(image_start, *header);
  if (segments.empty()) return false;
  return std::all_of(segments.begin(), segments.end(), [file_size](const ElfW(Phdr)& segment) {
    return segment.p_type != PT_LOAD || (segment.p_offset <= file_size && segment.p_filesz <= file_size - segment.p_offset);
  });
}

bool IsLibraryForThisMachine(platform::WStringView path) {
  const std::optional<FileStart> start = ReadFileStart(path, false);
  return start && IsElfOfThisMachine(start->bytes);
}

std::unique_ptr<platform::Module> LoadCompleteLibrary(platform::WStringView path) {
  const std::optional<FileStart> start = ReadFileStart(path, true);
  if (!start || !SegmentsLieWithinFile(start->bytes, start->size)) return nullptr;
  return platform::Module::Load(path);
}

LibraryDependencies ReadLibraryDependencies(std::string_view image) {
  LibraryDependencies dependencies;
  const std::optional<ElfW(Ehdr)> header = HeaderOfThisMachine(image);
  if (!header) return dependencies;
  const std::vector<ElfW(Phdr)> segments = ProgramHeaders(image, *header);
  auto dynamic = std::find_if(segments.begin(), segments.end(), [](const ElfW(Phdr)& s) { return s.p_type == PT_DYNAMIC; });
  if (dynamic == segments.end()) return dependencies;
  const DynamicEntries entries = ReadDynamicEntries(image, *dynamic);
  const std::optional<std::uint64_t> table_offset = FileOffsetOf(segments, entries.string_table);
  if (!table_offset || *table_offset > image.size()) return dependencies;
  const std::string_view table = image.substr(*table_offset, entries.string_table_size);
  AppendStrings(table, entries.needed, dependencies.needed);
  AppendStrings(table, entries.search_paths, dependencies.search_paths);
  return dependencies;
}

}  // namespace launcher
