// IHtmlFile: replaces the title element of an HTML page in its file,
// keeping the file's byte-order mark and encoding. Stateless. Made by
// ICloudConfigManager::CreateHtmlFile. Any thread.
#pragma once

#include "libpelcor/pelcor_export.h"

class PELCOR_INTERFACE IHtmlFile {
 public:
  // Ends the object.
  virtual void Release() = 0;
  // Replaces every "<title>...</title>" equal to the first one (exact case)
  // with "<title>" + title + "</title>". True also when the page has no
  // complete title element or already has that title (the file is then not
  // written). False for an empty, unreadable or UTF-32 file, or one that
  // cannot be written.
  virtual bool SetTitle(const char16_t* path, const char16_t* title) = 0;

 protected:
  virtual ~IHtmlFile() = default;
};
