#include "platform/InPlaceFile.h"

#include <filesystem>
#include <system_error>

#include "platform/FolderAccess.h"
#include "platform/NativePath.h"

bool InPlaceFile::IsPreferredFor(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::canonical(NativePath::From(path), error);
    if (error || !std::filesystem::is_regular_file(resolved, error)) {
        return false;  // a new file, or no file: the replace makes it or refuses it
    }
    return ReplaceWouldChange(NativePath::ToBytes(resolved)) ||
           !FolderAccess::CanCreateFileIn(NativePath::ToBytes(resolved.parent_path()));
}
