// Files and folders by UTF-16 name.
//
// Paths are UTF-16 inside the system and UTF-8 on disk. "/" separates
// folders; a "\" that comes from a document passes through unchanged (it is
// an ordinary character of a Linux file name). Every function may be called
// from any thread; none throws.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text_types.h"

namespace platform {

// The on-disk (UTF-8) form of a UTF-16 path.
std::string NativePath(WStringView path);

// Every function that opens a file by name opens only a regular file, and
// none waits on the file's type: a FIFO, device, socket or folder at the
// path is an unusable file (a FIFO is never opened, so a reader never waits
// for a writer that does not come). Such a file fails with errno EISDIR
// (folder) or EINVAL (the others).

// fopen by UTF-16 name with a C mode string: "r", "w" or "a", then any of
// "b", "+", "x", "e". Returns null on failure with errno set (EINVAL for
// another mode). The caller owns the FILE and fcloses it. "w" and "a"
// create a missing file. A mode that writes ("w", "a", "+") refuses an
// existing file that is read-only (IsReadOnly) with errno EACCES, also
// when the process runs as root, as Windows does, and leaves it as it was
// ("w" empties a file only once it was opened). The descriptor is
// close-on-exec, so child processes do not inherit it.
std::FILE* OpenFile(WStringView path, const char* mode);

// Empties an open file: writes out what its stream holds, cuts the file to
// 0 bytes and moves the stream to its start, so the next write lands at
// byte 0 (also in append mode). Works on the open file whatever is now at
// its path. False with errno set on failure.
bool EmptyOpenFile(std::FILE* file);

// The whole content of a regular file; nullopt when it is missing, not a
// regular file, or cannot be read.
std::optional<std::string> ReadWholeFile(WStringView path);

// Replaces the file with `bytes` atomically: writes a temporary file in the
// target's folder, flushes it and renames it over the target. When `path`
// is a symbolic link (or a chain of them), the target is the file the link
// names: the link stays a link and the file it names is replaced; a
// dangling link's file is created. An existing file keeps its permission
// bits; a read-only one (IsReadOnly) is not replaced (false, errno
// EACCES), as Windows refuses to overwrite it. On failure the previous file
// is left as it was and no temporary file remains. (AtomicFileWriter.)
bool ReplaceFileAtomically(WStringView path, std::string_view bytes);

// True when the open `file` is the file now found at `path` (the same
// file, not merely the same name): false when the path names nothing or
// another file, e.g. after the open file was removed or replaced.
bool IsOpenFileAt(std::FILE* file, WStringView path);

// The path made absolute against the current working folder, naming what
// an open of `path` would reach now, also after the working folder
// changes: an absolute path is returned as it is, and so is any path when
// the working folder cannot be read or named in UTF-16.
WString AbsolutePath(WStringView path);

// True when anything exists at the path (file, folder, other).
bool PathExists(WStringView path);
bool IsRegularFile(WStringView path);
bool IsDirectory(WStringView path);

// Deletes a file (not a folder; a symbolic link itself, not its target).
// False when it did not exist or could not be deleted.
bool DeleteFileAt(WStringView path);

// Read-only by mode bits: true when no write bit is set. Holds even when the
// process runs as root (which could write anyway). False for a missing file.
bool IsReadOnly(WStringView path);

// The temporary folder: $TMPDIR when set and non-empty, else "/tmp". No
// trailing "/".
WString TempFolder();

// Joins two path pieces with exactly one "/" between them; an empty piece
// leaves the other unchanged; an absolute second piece replaces the first.
WString JoinPath(WStringView base, WStringView more);

// The folder part of a path (everything before the last "/"), "/" for a
// file directly under the root, or "" when there is no "/".
WString ParentFolder(WStringView path);

// Creates the folder and every missing parent. True when the folder exists
// afterwards.
bool CreateFolders(WStringView path);

}  // namespace platform
