#pragma once

#include <string>

// Rewrites an existing file's content in place, so that it stays the same file: its owner,
// mode and hard links, and the symbolic links that name it, stay as they are. Unlike
// CAtomicFile it is not atomic, so callers keep other writers out (the identifier lock) and use
// it only where a replace would change the file or cannot be made.
namespace InPlaceFile {

// Whether path (links followed) is an existing regular file that a replace would change:
// several hard links, another owner, no write permission, or a folder that takes no new
// file beside it.
bool IsPreferredFor(const std::string& path);
// Writes bytes as the whole content of the existing regular file path, cuts it to their
// length and flushes it to disk. False, with nothing created, when any step failed.
bool Write(const std::string& path, const std::string& bytes);
// The part of IsPreferredFor that differs between systems: links, owner and write permission
// of the existing file resolved.
bool ReplaceWouldChange(const std::string& resolved);

}  // namespace InPlaceFile
