#pragma once

#include <string>

// Which Gridforge.INI a program uses. The one beside the executable is the rule, so that a
// folder unpacked beside the generator shares its identifiers with it. A system install, whose
// folder holds none and takes no new file, keeps one profile per user instead, so that
// identifiers still advance from run to run.
namespace ProfileLocation {

struct Choice {
    std::string strPath;
    bool bPerUser = false;
};

// Looks only; creates nothing. The executable's folder is empty for the current folder.
Choice Find(const std::string& strExecutablePath);

// Creates the per-user profile, and the folders above it, when it is not there yet. True when
// it was created now: the user is told once where the identifiers come from from then on.
bool CreatePerUser(const std::string& path);

// What the user is told when the per-user profile has just been created.
std::string FirstUseNotice(const std::string& path);

}  // namespace ProfileLocation
