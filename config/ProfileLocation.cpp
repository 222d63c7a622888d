#include "config/ProfileLocation.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "config/CGeneratorSettings.h"
#include "fileio/PathText.h"
#include "platform/FolderAccess.h"
#include "platform/NativePath.h"

namespace {

std::string Environment(const char* pszName) {
    const char* pszValue = std::getenv(pszName);
    return pszValue == nullptr ? std::string() : std::string(pszValue);
}

// The user's configuration folder; empty when the environment names none.
std::string UserConfigFolder() {
#ifdef _WIN32
    return Environment("APPDATA");
#else
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG base directories demand.
    std::string strXdg = Environment("XDG_CONFIG_HOME");
    if (!strXdg.empty() && strXdg.front() == '/') {
        return strXdg;
    }
    const std::string strHome = Environment("HOME");
    return strHome.empty() ? std::string() : PathText::Join(strHome, ".config");
#endif
}

bool IsPresent(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(NativePath::From(path), error));
}

}  // namespace

namespace ProfileLocation {

Choice Find(const std::string& strExecutablePath) {
    const std::string strDir = PathText::DirectoryOf(strExecutablePath);
    // When the executable's folder is unknown the profile is looked for in the current
    // folder, never in the root folder that a lone separator would name.
    const std::string strBeside = PathText::Join(strDir, CGeneratorSettings::kProfileFileName);
    if (IsPresent(strBeside) || FolderAccess::CanCreateFileIn(strDir)) {
        return {strBeside, false};
    }
    const std::string strConfig = UserConfigFolder();
    if (strConfig.empty()) {
        return {strBeside, false};
    }
    return {
        PathText::Join(PathText::Join(strConfig, "KVLEdit"), CGeneratorSettings::kProfileFileName),
        true};
}

bool CreatePerUser(const std::string& path) {
    if (IsPresent(path)) {
        return false;
    }
    const std::filesystem::path native = NativePath::From(path);
    std::error_code error;
    std::filesystem::create_directories(native.parent_path(), error);
    // Appending never truncates one that another program created a moment ago.
    std::ofstream file(native, std::ios::binary | std::ios::app);
    file.close();
    return !file.fail();
}

std::string FirstUseNotice(const std::string& path) {
    return "The program's folder has no Gridforge.INI and cannot take one; identifiers now "
           "come from your own profile " +
           path;
}

}  // namespace ProfileLocation
