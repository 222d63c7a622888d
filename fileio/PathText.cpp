#include "fileio/PathText.h"

#include <algorithm>

namespace PathText {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool EndsInSeparator(std::string_view path) {
    return !path.empty() && IsSeparator(path.back());
}

size_t DriveLength(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

size_t DirectoryEnd(std::string_view path) {
    const size_t nDrive = DriveLength(path);
    for (size_t i = path.size(); i > nDrive; --i) {
        if (IsSeparator(path[i - 1])) {
            return i;
        }
    }
    return nDrive;
}

std::string DirectoryOf(std::string_view path) {
    return std::string(path.substr(0, DirectoryEnd(path)));
}

std::string FileNameOf(std::string_view path) {
    return std::string(path.substr(DirectoryEnd(path)));
}

std::string WithTrailingSeparator(std::string path) {
    if (!EndsInSeparator(path)) {
        path += kSeparator;
    }
    return path;
}

std::string Join(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (!path.empty() && !EndsInSeparator(path)) {
        path += kSeparator;
    }
    return path.append(name);
}

std::string Native(std::string_view path) {
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', kSeparator);
    return native;
}

std::vector<std::string> Components(std::string_view path) {
    std::vector<std::string> names;
    size_t nStart = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            if (i > nStart) {
                names.emplace_back(path.substr(nStart, i - nStart));
            }
            nStart = i + 1;
        }
    }
    return names;
}

}  // namespace PathText
