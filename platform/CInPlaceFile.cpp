#include "platform/CInPlaceFile.h"

#include <filesystem>
#include <system_error>

#include "platform/CFolderAccess.h"
#include "platform/CNativePath.h"

bool CInPlaceFile::IsPreferredFor(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::canonical(CNativePath::From(path), error);
    if (error || !std::filesystem::is_regular_file(resolved, error)) {
        return false;  // a new file, or no file: the replace makes it or refuses it
    }
    return ReplaceWouldChange(CNativePath::ToBytes(resolved)) ||
           !CFolderAccess::CanCreateFileIn(CNativePath::ToBytes(resolved.parent_path()));
}
