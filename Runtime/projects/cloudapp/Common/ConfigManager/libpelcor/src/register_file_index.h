// Finding an app's files to register among its predownload files: every
// top-level file, and every file inside a top-level package, under its
// relative path, looked up ignoring the case of ASCII letters. One thread at
// a time; the index points into the list it was built from, which must
// outlive it unchanged.
#pragma once

#include <list>
#include <unordered_map>

#include "libpelcor/app_config_record.h"
#include "platform/text_types.h"

class RegisterFileIndex {
 public:
  // Relative paths: a file that is not a package is Path, "\", Name; a
  // file inside a package is the package's Path, "\", the file's Path, "\",
  // its Name. A "\" is left out after an empty piece and after a piece that
  // already ends in "\" or "/". A package itself is not indexed, nor are the
  // contents of packages inside packages. Where two files share a path, the
  // first in list order is found.
  explicit RegisterFileIndex(const std::list<AppFileNode>& files);
  RegisterFileIndex(const RegisterFileIndex&) = delete;
  RegisterFileIndex& operator=(const RegisterFileIndex&) = delete;

  // The file whose relative path equals `path` ignoring ASCII case; null
  // when none.
  const AppFileNode* Find(platform::WStringView path) const;

 private:
  void Add(platform::WStringView path, const AppFileNode& file);

  // Keyed by the relative path in ASCII lower case.
  std::unordered_map<platform::WString, const AppFileNode*> files_;
};
