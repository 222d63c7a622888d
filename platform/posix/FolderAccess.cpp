// POSIX half of FolderAccess: access asks without creating anything.
#include "platform/FolderAccess.h"

#include <unistd.h>

bool FolderAccess::CanCreateFileIn(const std::string& folder) {
    return access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}
