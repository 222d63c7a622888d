#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "KvlToolTest.h"

namespace {

// kvltool run by a user other than root, whose failures root's rights would hide, from a test
// folder all may read and a "home" the user owns.
class KvlToolUserProfileTest : public KvlToolTest {
protected:
    static constexpr const char* kUser = "kvledit-test";

    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "only root can create the user who runs kvltool here";
        }
        if (getpwnam(kUser) == nullptr) {
            ProgramRun::Run(
                "useradd", {"--system", "--no-create-home", "--shell", "/usr/sbin/nologin", kUser});
        }
        m_pUser = getpwnam(kUser);
        ASSERT_NE(m_pUser, nullptr) << "useradd failed";
        ASSERT_EQ(chmod(m_Folder.Path().c_str(), 0755), 0);
        MakeHome();
    }

    void MakeHome() const {
        std::filesystem::remove_all(Path("home"));
        ASSERT_TRUE(std::filesystem::create_directory(Path("home")));
        Own(Path("home"), 0755);
    }
    // Gives path to the user, and mode unless it is 0.
    void Own(const std::string& path, mode_t nMode) const {
        ASSERT_EQ(lchown(path.c_str(), m_pUser->pw_uid, m_pUser->pw_gid), 0);
        if (nMode != 0) {
            ASSERT_EQ(chmod(path.c_str(), nMode), 0);
        }
    }
    // Makes home/a.KVL as the user, with the words before the program's name given first.
    ToolRun MakeAsUser(const Args& before, const std::string& program, const Args& after) const {
        return Run(Args{"--reuid", kUser, "--regid", kUser, "--init-groups"} + before +
                       Args{program} + Words(kMake + "--force -o " + Path("home/a.KVL")) + after,
                   {}, "setpriv");
    }
    // Whether a file is a link, and the owner, mode, links and inode of the file it names.
    using Identity = std::tuple<bool, uid_t, mode_t, nlink_t, ino_t>;
    std::vector<Identity> Identities(const Args& names) const {
        std::vector<Identity> identities;
        for (const std::string& name : names) {
            struct stat link {};
            struct stat file {};
            lstat(Path(name).c_str(), &link);
            stat(Path(name).c_str(), &file);
            identities.emplace_back(S_ISLNK(link.st_mode), file.st_uid, file.st_mode, file.st_nlink,
                                    file.st_ino);
        }
        return identities;
    }

    const passwd* m_pUser = nullptr;
};

// kvltool installed where its user may not write, as /usr/bin is: the identifiers come from the
// user's own profile and advance, and the program's folder is left as it was. The kvltool is the
// installed one when KVL_INSTALLED_KVLTOOL names it (the package check sets it to the unpacked
// .deb's), else a copy of the built one in a folder only root writes.
// Then every run takes the next identifier wherever the profile itself can be written, and the
// profile stays the file it was: owner, mode, links. A profile the user cannot write gives the
// message, and neither it nor a definition is written. The folder "shared" is root's; "home" is
// the user's.
TEST_F(KvlToolUserProfileTest, ProfilesComeFromWhereTheUserCanWriteAndStayTheFileTheyWere) {
    const char* pszInstalled = std::getenv("KVL_INSTALLED_KVLTOOL");
    const std::string program = pszInstalled != nullptr ? pszInstalled : Path("bin/kvltool");
    if (pszInstalled == nullptr) {
        ASSERT_TRUE(std::filesystem::create_directory(Path("bin")));
        ASSERT_TRUE(std::filesystem::copy_file(KVLTOOL_PATH, program));
    }
    const std::string programFolder = std::filesystem::path(program).parent_path().string();
    const std::vector<std::string> programFiles = TestFiles::ListFolder(programFolder);
    const std::string ownProfile = Path("home") + "/.config/KVLEdit/Gridforge.INI";
    const std::string notices[] = {
        "kvltool: The program's folder has no Gridforge.INI and cannot take one; identifiers "
        "now come from your own profile " +
            ownProfile + "\n",
        ""};
    for (uint32_t nId : {1, 2}) {
        const ToolRun make = MakeAsUser({"env", "-i", "HOME=" + Path("home")}, program, {});
        EXPECT_EQ(make.nExitCode, 0) << make.strErr;
        EXPECT_EQ(make.strErr, notices[nId - 1]);
        EXPECT_EQ(IdOf("home/a.KVL"), nId);
    }
    EXPECT_NE(Read("home/.config/KVLEdit/Gridforge.INI").find("NEXT_ID=3"), std::string::npos);
    EXPECT_EQ(TestFiles::ListFolder(programFolder), programFiles);
    // What the case is; the user's profile, with this mode; a link to it, symbolic (true) or
    // hard, or none; the profile names under the test folder, one run each; whether it advances.
    const std::tuple<const char*, const char*, mode_t, const char*, bool, const char*, bool>
        cases[] = {
            {"in a folder the user cannot write", "shared/Gridforge.INI", 0640, nullptr, false,
             "shared/Gridforge.INI shared/Gridforge.INI", true},
            {"read-only", "home/Gridforge.INI", 0444, nullptr, false, "home/Gridforge.INI", false},
            {"a symbolic link", "shared/Gridforge.INI", 0600, "home/link.INI", true,
             "home/link.INI home/link.INI", true},
            {"hard-linked", "home/a.INI", 0600, "home/b.INI", false, "home/a.INI home/b.INI", true},
        };
    for (const auto& [pszName, pszProfile, nMode, pszLink, bSymbolic, pszRuns, bAdvances] : cases) {
        SCOPED_TRACE(pszName);
        MakeHome();
        std::filesystem::remove_all(Path("shared"));
        Put(pszProfile, "; kept\r\n[ID]\r\nNEXT_ID=7\r\n");
        Own(Path(pszProfile), nMode);
        if (pszLink != nullptr && bSymbolic) {
            std::filesystem::create_symlink(Path(pszProfile), Path(pszLink));
            Own(Path(pszLink), 0);
        } else if (pszLink != nullptr) {
            std::filesystem::create_hard_link(Path(pszProfile), Path(pszLink));
        }
        const Args runs = Words(pszRuns);
        const std::vector<std::string> shared = TestFiles::ListFolder(Path("shared"));
        const auto identities = Identities(runs);
        uint32_t nId = 7;
        for (const std::string& name : runs) {
            const ToolRun make = MakeAsUser({}, program, {"--profile", Path(name)});
            EXPECT_EQ(make.nExitCode, bAdvances ? 0 : 2) << make.strErr;
            EXPECT_EQ(make.strErr.find("identifier 7 is not reserved") == std::string::npos,
                      bAdvances);
            EXPECT_EQ(IdOf("home/a.KVL"), bAdvances ? nId++ : 0);
        }
        const std::string expected = "; kept\r\n[ID]\r\nNEXT_ID=" + std::to_string(nId) + "\r\n";
        for (const std::string& name : runs) {
            EXPECT_EQ(Read(name), expected) << name;
        }
        EXPECT_EQ(Identities(runs), identities);
        EXPECT_EQ(TestFiles::ListFolder(Path("shared")), shared) << "no file left beside";
    }
}

}  // namespace
