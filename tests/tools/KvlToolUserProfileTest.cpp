#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <nlohmann/json.hpp>

#include "KvlToolTest.h"

namespace {

constexpr const char* kUser = "kvledit-test";

// Whether the test user exists, created now when it did not.
bool EnsureUser() {
    QProcess useradd;
    useradd.start("useradd",
                  {"--system", "--no-create-home", "--shell", "/usr/sbin/nologin", kUser});
    useradd.waitForFinished(30000);
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
    ASSERT_EQ(chmod(m_Folder.path().toLocal8Bit().constData(), 0755), 0);
    ASSERT_TRUE(QDir(m_Folder.path()).mkdir("bin") && QDir(m_Folder.path()).mkdir("home"));
    ASSERT_TRUE(QFile::copy(KVLTOOL_PATH, m_Folder.filePath("bin/kvltool")));
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
                 "HOME=" + QString::fromStdString(Path("home")), m_Folder.filePath("bin/kvltool"),
                 "make", "a.map", "--dims=1x1x1", "--exit=0,0,0:N", "--force", "-o",
                 QString::fromStdString(Path("home/a.KVL"))},
                "setpriv");
        EXPECT_EQ(make.nExitCode, 0) << make.strErr;
        EXPECT_EQ(make.strErr, notices[nId - 1]);
        EXPECT_EQ(nlohmann::json::parse(Run({"dump", "--json", "home/a.KVL"}).strOut)["id"], nId);
    }
    EXPECT_NE(Read("home/.config/KVLEdit/Gridforge.INI").find("NEXT_ID=3"), std::string::npos);
    EXPECT_EQ(TestFiles::ListFolder(Path("bin")), std::vector<std::string>{"kvltool"});
}

}  // namespace
