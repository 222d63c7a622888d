#include "config/CProfilePathResolver.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "fileio/PathText.h"
#include "platform/NativePath.h"

namespace fs = std::filesystem;

namespace {

std::string AbsoluteFolder(const std::string& folder) {
    std::error_code error;
    const fs::path absolute =
        folder.empty() ? fs::current_path(error) : fs::absolute(NativePath::From(folder), error);
    return PathText::WithTrailingSeparator(NativePath::ToBytes(absolute));
}

bool IsDriveLetter(const std::string& value) {
    const char c = PathText::DriveLength(value) == 2 ? value[0] : '\0';
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsRelative(const std::string& value) {
    return !IsDriveLetter(value) && (value.empty() || !PathText::IsSeparator(value[0]));
}

#ifndef _WIN32

char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

std::string Inside(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The prefixes in the order they are tried; the one holding the profile first.
std::vector<std::string> WinePrefixes(const std::string& profileDir) {
    std::vector<std::string> prefixes;
    std::error_code error;
    for (fs::path folder = fs::path(profileDir).parent_path();; folder = folder.parent_path()) {
        if (fs::is_directory(folder / "dosdevices", error)) {
            prefixes.push_back(folder.native());
            break;
        }
        if (folder == folder.parent_path()) {
            break;
        }
    }
    if (const char* pszPrefix = std::getenv("WINEPREFIX"); pszPrefix && *pszPrefix) {
        prefixes.emplace_back(pszPrefix);
    }
    if (const char* pszHome = std::getenv("HOME"); pszHome && *pszHome) {
        prefixes.push_back(Inside(pszHome, ".wine"));
    }
    return prefixes;
}

struct Match {
    std::optional<std::string> name;  // nothing when no entry of the folder matches
    std::string strError;
};

// The entry of folder that name stands for: itself when it exists as written, else the one
// entry that differs from it only in case.
Match FindEntry(const std::string& folder, const std::string& name) {
    std::error_code error;
    if (name == "." || name == ".." ||
        fs::exists(fs::symlink_status(Inside(folder, name), error))) {
        return {name, {}};
    }
    std::vector<std::string> matches;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const std::string entry = it->path().filename().native();
        if (EqualNoCase(entry, name)) {
            matches.push_back(entry);
        }
    }
    if (matches.size() > 1) {
        std::sort(matches.begin(), matches.end());
        std::string list;
        for (const std::string& match : matches) {
            list += (list.empty() ? "" : ", ") + match;
        }
        return {std::nullopt, name + " is ambiguous in " + folder + ": " + list + " all match it"};
    }
    return {matches.empty() ? std::nullopt : std::optional(matches.front()), {}};
}

// Follows names from folder. At a drive's root ".." stays there, as on Windows.
CProfilePathResolver::Result Walk(std::string folder, const std::vector<std::string>& names,
                                  bool bDriveRoot, bool bFolder) {
    bool bMatching = true;  // below a name that does not exist nothing can be matched
    size_t nDepth = 0;
    for (const std::string& name : names) {
        if (name == ".." && bDriveRoot && nDepth == 0) {
            continue;
        }
        nDepth = name == ".." ? nDepth - std::min<size_t>(nDepth, 1) : nDepth + 1;
        std::string entry = name;
        if (bMatching) {
            Match match = FindEntry(folder, name);
            if (!match.strError.empty()) {
                return {{}, match.strError};
            }
            bMatching = match.name.has_value();
            entry = match.name.value_or(name);
        }
        folder = Inside(folder, entry);
    }
    return {bFolder && folder.back() != '/' ? folder + "/" : folder, {}};
}

// The folder the drive letter stands for, followed from the first prefix that maps it.
CProfilePathResolver::Result ResolveDrive(const std::vector<std::string>& prefixes, char cDrive,
                                          const std::string& rest, bool bFolder) {
    const std::string device = std::string(1, ToLowerAscii(cDrive)) + ":";
    std::string tried;
    for (const std::string& prefix : prefixes) {
        const std::string link = Inside(Inside(prefix, "dosdevices"), device);
        std::error_code error;
        const fs::path target = fs::canonical(link, error);
        if (!error && fs::is_directory(target, error)) {
            return Walk(target.native(), PathText::Components(rest), true, bFolder || rest.empty());
        }
        tried += (tried.empty() ? "" : ", ") + link;
    }
    if (tried.empty()) {
        tried = "none: no prefix holds the profile, and $WINEPREFIX and $HOME are unset";
    }
    return {{},
            "the drive " + std::string(1, cDrive) + ": is not mapped in any Wine prefix (tried " +
                tried + ")"};
}

#endif

}  // namespace

CProfilePathResolver::CProfilePathResolver(const std::string& profilePath)
    : m_strProfileDir(AbsoluteFolder(PathText::DirectoryOf(profilePath))) {
#ifndef _WIN32
    m_Prefixes = WinePrefixes(m_strProfileDir);
#endif
}

CProfilePathResolver::Result CProfilePathResolver::Resolve(const std::string& value) const {
#ifdef _WIN32
    return {IsRelative(value) ? m_strProfileDir + value : value, {}};
#else
    const bool bFolder = PathText::EndsInSeparator(value);
    if (IsDriveLetter(value)) {
        return ResolveDrive(m_Prefixes, value[0], value.substr(2), bFolder);
    }
    const std::vector<std::string> names = PathText::Components(value);
    if (IsRelative(value)) {
        return Walk(m_strProfileDir, names, false, bFolder || names.empty());
    }
    return Walk("/", names, false, bFolder);
#endif
}
