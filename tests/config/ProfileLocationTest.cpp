#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "CScopedEnvironment.h"
#include "TestFiles.h"
#include "config/ProfileLocation.h"

namespace {

// The executable's folder decides first; only one that holds no profile and takes no file
// (here a folder "inside" a regular file, which refuses even root) sends the program to the
// per-user profile, found from the environment the way the XDG base directories say.
TEST(ProfileLocationTest, BesideTheExecutableUnlessItsFolderCannotTakeOne) {
    const TestFiles::TempFolder temp;
    const std::string dir = temp.Path();
    TestFiles::WriteAll(dir + "/file", "");
    // However long its path, a writable folder takes the profile beside the executable.
    const std::string folder = dir + "/" + std::string(200, 'd') + "/" + std::string(200, 'd');
    std::filesystem::create_directories(folder);
    const std::string refusing = dir + "/file/kvledit";
    const struct {
        const char* pszCase;
        std::string strExecutable;
        std::optional<std::string> xdg, home;
        std::string strExpected;
        bool bPerUser;
    } cases[] = {
#ifdef _WIN32
        {"writable folder", folder + "/kvledit", "C:\\x", {}, folder + "/Gridforge.INI", false},
        {"APPDATA", refusing, "C:\\x", {}, "C:\\x\\KVLEdit\\Gridforge.INI", true},
        {"no APPDATA", refusing, std::nullopt, {}, dir + "/file/Gridforge.INI", false},
#else
        {"writable folder", folder + "/kvledit", "/x", "/h", folder + "/Gridforge.INI", false},
        {"relative XDG_CONFIG_HOME", refusing, "rel", "/h/", "/h/.config/KVLEdit/Gridforge.INI",
         true},
        {"no home at all", refusing, std::nullopt, std::nullopt, dir + "/file/Gridforge.INI",
         false},
#endif
    };
    for (const auto& c : cases) {
#ifdef _WIN32
        const CScopedEnvironment xdg("APPDATA", c.xdg);  // where Windows keeps the user's
#else
        const CScopedEnvironment xdg("XDG_CONFIG_HOME", c.xdg);
#endif
        const CScopedEnvironment home("HOME", c.home);
        const ProfileLocation::Choice choice = ProfileLocation::Find(c.strExecutable);
        EXPECT_EQ(choice.strPath, c.strExpected) << c.pszCase;
        EXPECT_EQ(choice.bPerUser, c.bPerUser) << c.pszCase;
    }
    // A per-user folder that cannot be made is not claimed.
    EXPECT_FALSE(ProfileLocation::CreatePerUser(dir + "/file/K/G.INI"));
    // Nothing was created beside the writable folder, nor instead of the file.
    EXPECT_EQ(TestFiles::ListFolder(dir),
              (std::vector<std::string>{std::string(200, 'd'), "file"}));
}

}  // namespace
