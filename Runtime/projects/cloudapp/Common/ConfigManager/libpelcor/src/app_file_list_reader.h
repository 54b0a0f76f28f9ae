// The file lists of the app configuration document ("PredownloadFiles",
// "InstantDownloadFiles") with the contents of their packages: an
// extractable file takes as children the array that the root's one
// "Packages" object holds under its exact name, and the files of that array
// may be packages in turn. One reader serves one document; one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

#include "json_document.h"
#include "libpelcor/app_config_record.h"
#include "platform/text_types.h"

class AppFileListReader {
 public:
  // Packages may nest this deep; a deeper chain is refused.
  static constexpr std::size_t kMaxPackageDepth = 32;
  // Every expansion of a package counts its files again, so packages that
  // list each other over and over (each listing the next twice, say) would
  // give files in numbers exponential in the document's size. A document
  // may give at most this many times the file objects that a read builds
  // at least once (the object elements of its two lists and of the packages
  // they reach; other elements and packages no file names are skipped and
  // count nothing), and at least kMinFileBudget: very large packages, or a
  // package listed under a great many files, stay far below.
  static constexpr std::size_t kFilesPerWrittenFile = 16;
  static constexpr std::size_t kMinFileBudget = std::size_t{1} << 21;

  // `root` is the document's root object; it must outlive the reader.
  explicit AppFileListReader(const JsonValue& root);

  // Walks `files` as Read would, building nothing: CONFIG_INVALID_JSON when
  // packages nest deeper than kMaxPackageDepth or the lists checked so far
  // give more files than the document's budget; else CONFIG_OK. Stops as
  // soon as it knows, so a refused document costs no memory.
  std::uint32_t Check(const JsonValue& files);

  // Appends one node per object element of `files` (other elements are
  // skipped), with the package contents of each extractable one. A package
  // met again inside its own contents is listed but not expanded again.
  // Results as for Check; after Check of the same lists in the same order,
  // always CONFIG_OK.
  std::uint32_t Read(const JsonValue& files, std::list<AppFileNode>& list);

 private:
  // The file objects that a read builds at least once: the object elements
  // of the two lists and of each package reached from them, counted once.
  std::size_t CountFilesRead(const JsonValue& root) const;
  // Visits the files, appending their nodes to `list` unless it is null.
  std::uint32_t Walk(const JsonValue& files, std::list<AppFileNode>* list, std::size_t& visited);
  std::uint32_t WalkContents(platform::WStringView name, std::list<AppFileNode>* children, std::size_t& visited);

  // The first member of "Packages" of each name.
  std::unordered_map<platform::WStringView, const JsonValue*> packages_;
  // The names of the packages being expanded, outermost first (views into
  // the document).
  std::vector<platform::WStringView> open_packages_;
  std::size_t file_budget_;
  std::size_t checked_files_ = 0;
  std::size_t read_files_ = 0;
};
