// POSIX half of CFolderAccess: access asks without creating anything.
#include "platform/CFolderAccess.h"

#include <unistd.h>

bool CFolderAccess::CanCreateFileIn(const std::string& folder) {
    return access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}
