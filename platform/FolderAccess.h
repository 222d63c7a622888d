#pragma once

#include <string>

// What this process may do in a folder, asked of the operating system without changing the
// folder.
namespace FolderAccess {

// Whether a new file could be created in folder (the current folder when empty).
bool CanCreateFileIn(const std::string& folder);

}  // namespace FolderAccess
