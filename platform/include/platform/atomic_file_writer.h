// Replaces a file atomically while its new content is written piece by
// piece: the content goes to a temporary file beside the target (same
// folder, so the rename stays on one file system; its name is unique to the
// writer and cut to fit the name limit, so any file the system can name can
// be saved), and Commit syncs it, gives it the previous file's mode and
// renames it over the target. Until Commit succeeds the target is
// untouched; a writer destroyed without a successful Commit removes its
// temporary file. A read-only target (judged by mode bits, as Windows does)
// is refused.
//
// Symbolic links are written through, as the Windows file functions write
// through them: when the path is a link (or a chain of up to 40 links, as
// many as the system follows when it opens a path), the target is the file
// the last link names, the temporary file lies beside that file and the
// rename replaces it, so the link stays a link. A dangling link names a
// file that does not exist yet: that file is created (its folder must
// exist), as a plain write through the link would create it.
// Thread safety: one writer per thread; distinct writers never collide.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_types.h"

namespace platform {

class AtomicFileWriter {
 public:
  // Starts replacing the file at `path` (or the file its links name). Null,
  // with errno set, when the target exists but is not a regular file
  // (EISDIR, EINVAL) or is read-only (EACCES), when a chain of links is
  // longer than 40 (ELOOP), or when no temporary file can be created beside
  // the target (a missing folder, no permission).
  static std::unique_ptr<AtomicFileWriter> Begin(WStringView path);

  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Appends bytes to the new content. False once any write has failed (a
  // full disk, a file-size limit); later writes are then skipped.
  bool Write(std::string_view bytes);

  // Makes the new content the file's. False, with errno set, when a write
  // failed or syncing, closing or renaming fails; the target is then as it
  // was and the temporary file is gone. Call at most once.
  bool Commit();

 private:
  AtomicFileWriter(std::string target, std::string temporary, int fd, std::optional<mode_t> previous_mode);

  std::string target_;
  std::string temporary_;
  int fd_;
  std::optional<mode_t> previous_mode_;
  int write_error_ = 0;  // errno of the first failed write
  bool committed_ = false;
};

}  // namespace platform
