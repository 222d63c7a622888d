#pragma once

#include <string>

// What this process may do in a folder, asked of the operating system without changing the
// folder.
class CFolderAccess {
public:
    // Whether a new file could be created in folder (the current folder when empty).
    static bool CanCreateFileIn(const std::string& folder);
};
