#include "config/PathText.h"

#include <algorithm>

#include "fileio/CPathParts.h"

namespace PathText {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool EndsInSeparator(std::string_view path) {
    return !path.empty() && IsSeparator(path.back());
}

std::string WithTrailingSeparator(std::string path) {
    if (!EndsInSeparator(path)) {
        path += kSeparator;
    }
    return path;
}

std::string Native(std::string_view path) {
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', kSeparator);
    return native;
}

std::string FileNameOf(const std::string& path) {
    const size_t nLastSeparator = path.find_last_of("\\/");
    return nLastSeparator == std::string::npos ? path : path.substr(nLastSeparator + 1);
}

std::string DirectoryOf(const std::string& path) {
    if (path.size() < CPathParts::kMaxPath) {
        CPathParts parts;
        parts.Split(path.c_str());
        return parts.Compose(PP_DRIVE | PP_DIR);
    }
    // The splitter refuses paths that do not fit its buffers; on such a path the drive and
    // directory are still everything up to the last separator, which a long path has.
    const size_t nLastSeparator = path.find_last_of("\\/");
    return nLastSeparator == std::string::npos ? std::string() : path.substr(0, nLastSeparator + 1);
}

}  // namespace PathText
