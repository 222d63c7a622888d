#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "KvlToolTest.h"

namespace {

constexpr const char* kUser = "kvledit-test";

// Whether the test user exists, created now when it did not.
bool EnsureUser() {
    ProgramRun::Run("useradd",
                    {"--system", "--no-create-home", "--shell", "/usr/sbin/nologin", kUser});
    return getpwnam(kUser) != nullptr;
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

}  // namespace
