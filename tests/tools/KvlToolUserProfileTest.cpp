#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>

#include "KvlToolTest.h"
#include "TestUser.h"

namespace {

constexpr const char* kUser = TestUser::kName;

bool EnsureUser() {
    return TestUser::Ensure() != nullptr;
}

// kvltool installed where its user may not write, as /usr/bin is, and run by that user: the
// identifiers come from the user's own profile and advance, and the program's folder is left
// as it was.
TEST_F(KvlToolTest, AFolderThatTakesNoProfileSendsMakeToThePerUserProfile) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can create the user who runs kvltool here";
    }
    ASSERT_TRUE(EnsureUser()) << "useradd failed";
    const passwd* pUser = getpwnam(kUser);
    ASSERT_EQ(chmod(m_Folder.Path().c_str(), 0755), 0);
    ASSERT_TRUE(std::filesystem::create_directory(Path("bin")) &&
                std::filesystem::create_directory(Path("home")));
    ASSERT_TRUE(std::filesystem::copy_file(KVLTOOL_PATH, Path("bin/kvltool")));
    ASSERT_EQ(chown(Path("home").c_str(), pUser->pw_uid, pUser->pw_gid), 0);

    const std::string profile = Path("home") + "/.config/KVLEdit/Gridforge.INI";
    const std::string notices[] = {
        "kvltool: The program's folder has no Gridforge.INI and cannot take one; identifiers "
        "now come from your own profile " +
            profile + "\n",
        ""};
    for (int nId : {1, 2}) {
        const ToolRun make =
            Run({"--reuid", kUser, "--regid", kUser, "--init-groups", "env", "-i",
                 "HOME=" + Path("home"), Path("bin/kvltool"), "make", "a.map", "--dims=1x1x1",
                 "--exit=0,0,0:N", "--force", "-o", Path("home/a.KVL")},
                {}, "setpriv");
        EXPECT_EQ(make.nExitCode, 0) << make.strErr;
        EXPECT_EQ(make.strErr, notices[nId - 1]);
        EXPECT_EQ(nlohmann::json::parse(Run({"dump", "--json", "home/a.KVL"}).strOut)["id"], nId);
    }
    EXPECT_NE(Read("home/.config/KVLEdit/Gridforge.INI").find("NEXT_ID=3"), std::string::npos);
    EXPECT_EQ(TestFiles::ListFolder(Path("bin")), std::vector<std::string>{"kvltool"});
}

// How the shared profile is set up for the user, which names the runs take it by, and what
// must hold of the files afterwards. The folder "shared" is root's; "home" is the user's.
struct ProfileCase {
    const char* pszName;
    std::function<void(const std::string& home, const std::string& shared)> setUp;
    std::vector<std::string> runs;  // profile names under the test folder, one run each
    bool bAdvances;
};

class KvlToolSharedProfileTest : public KvlToolTest {
protected:
    // Whether each name is a link, and the owner, mode, links and inode of the file it names.
    std::vector<std::string> Identities(const std::vector<std::string>& names) const {
        std::vector<std::string> identities;
        for (const std::string& name : names) {
            struct stat link {};
            struct stat file {};
            lstat(Path(name.c_str()).c_str(), &link);
            stat(Path(name.c_str()).c_str(), &file);
            identities.push_back(std::to_string(S_ISLNK(link.st_mode)) + " " +
                                 std::to_string(file.st_uid) + " " + std::to_string(file.st_mode) +
                                 " " + std::to_string(file.st_nlink) + " " +
                                 std::to_string(file.st_ino));
        }
        return identities;
    }
};

// Every run as the user takes the next identifier wherever the profile itself can be written,
// and the profile stays the file it was: owner, mode, links. A profile the user cannot write
// gives the message, and neither it nor a definition is written.
TEST_F(KvlToolSharedProfileTest, ProfilesTheUserCanWriteAdvanceInPlaceAndStayTheFileTheyWere) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can create the user who runs kvltool here";
    }
    ASSERT_TRUE(EnsureUser()) << "useradd failed";
    const passwd* pUser = getpwnam(kUser);
    const auto own = [pUser](const std::string& path, mode_t nMode) {
        ASSERT_EQ(lchown(path.c_str(), pUser->pw_uid, pUser->pw_gid), 0);
        if (nMode != 0) {
            ASSERT_EQ(chmod(path.c_str(), nMode), 0);
        }
    };
    const std::string counter = "; kept\r\n[ID]\r\nNEXT_ID=7\r\n";
    const ProfileCase cases[] = {
        {"in a folder the user cannot write",
         [&](const std::string&, const std::string& shared) {
             TestFiles::WriteAll(shared + "/Gridforge.INI", counter);
             own(shared + "/Gridforge.INI", 0640);
         },
         {"shared/Gridforge.INI", "shared/Gridforge.INI"},
         true},
        {"read-only",
         [&](const std::string& home, const std::string&) {
             TestFiles::WriteAll(home + "/Gridforge.INI", counter);
             own(home + "/Gridforge.INI", 0444);
         },
         {"home/Gridforge.INI"},
         false},
        {"a symbolic link",
         [&](const std::string& home, const std::string& shared) {
             TestFiles::WriteAll(shared + "/Gridforge.INI", counter);
             own(shared + "/Gridforge.INI", 0600);
             std::filesystem::create_symlink(shared + "/Gridforge.INI", home + "/link.INI");
             own(home + "/link.INI", 0);
         },
         {"home/link.INI", "home/link.INI"},
         true},
        {"hard-linked",
         [&](const std::string& home, const std::string&) {
             TestFiles::WriteAll(home + "/a.INI", counter);
             own(home + "/a.INI", 0600);
             std::filesystem::create_hard_link(home + "/a.INI", home + "/b.INI");
         },
         {"home/a.INI", "home/b.INI"},
         true},
    };
    ASSERT_EQ(chmod(m_Folder.Path().c_str(), 0755), 0);
    ASSERT_TRUE(std::filesystem::copy_file(KVLTOOL_PATH, Path("kvltool")));
    for (const ProfileCase& profile : cases) {
        SCOPED_TRACE(profile.pszName);
        std::filesystem::remove_all(Path("home"));
        std::filesystem::remove_all(Path("shared"));
        ASSERT_TRUE(std::filesystem::create_directory(Path("home")) &&
                    std::filesystem::create_directory(Path("shared")));
        own(Path("home"), 0755);
        profile.setUp(Path("home"), Path("shared"));
        const std::vector<std::string> shared = TestFiles::ListFolder(Path("shared"));
        const std::vector<std::string> identities = Identities(profile.runs);
        uint32_t nId = 7;
        for (const std::string& name : profile.runs) {
            const ToolRun make =
                Run({"--reuid", kUser, "--regid", kUser, "--init-groups", Path("kvltool"), "make",
                     "a.map", "--dims=1x1x1", "--exit=0,0,0:N", "--force", "--profile", Path(name),
                     "-o", Path("home/a.KVL")},
                    {}, "setpriv");
            EXPECT_EQ(make.nExitCode, profile.bAdvances ? 0 : 2) << make.strErr;
            if (profile.bAdvances) {
                EXPECT_EQ(nlohmann::json::parse(Run({"dump", "--json", "home/a.KVL"}).strOut)["id"],
                          nId++);
            } else {
                EXPECT_NE(make.strErr.find("identifier 7 is not reserved"), std::string::npos);
                EXPECT_FALSE(TestFiles::Exists(Path("home/a.KVL")));
            }
        }
        const std::string expected = "; kept\r\n[ID]\r\nNEXT_ID=" + std::to_string(nId) + "\r\n";
        for (const std::string& name : profile.runs) {
            EXPECT_EQ(TestFiles::ReadAll(Path(name.c_str())), expected) << name;
        }
        EXPECT_EQ(Identities(profile.runs), identities);
        EXPECT_EQ(TestFiles::ListFolder(Path("shared")), shared) << "no file left beside";
    }
}

}  // namespace
