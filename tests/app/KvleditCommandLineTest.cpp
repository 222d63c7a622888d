#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

#include "TestFiles.h"

namespace {

// Help, version and a refused option end before anything is opened: the profile beside the
// program keeps its bytes (no identifier used up) and its folder gets no file.
TEST(KvleditCommandLineTest, HelpVersionAndUnknownOptionsTouchNothing) {
    QTemporaryDir folder;
    const QString program = folder.filePath("kvledit");
    ASSERT_TRUE(QFile::copy(KVLEDIT_PATH, program));
    const std::string profile = folder.filePath("Gridforge.INI").toStdString();
    TestFiles::WriteAll(profile, "[ID]\r\nNEXT_ID=7\r\n");
    const auto listing = TestFiles::ListFolder(folder.path().toStdString());

    const struct {
        const char* pszOption;
        int nExitCode;
        const char* pszOut;  // the start of standard output
        const char* pszErr;
    } cases[] = {
        {"--version", 0, "kvledit 1.0", ""},
        {"--help", 0, "kvledit writes", ""},
        {"--bogus", 2, "",
         "kvledit: The following argument was not expected: --bogus (run with --help for more "
         "information)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszOption);
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(program, {c.pszOption});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.nExitCode);
        EXPECT_TRUE(process.readAllStandardOutput().toStdString().starts_with(c.pszOut));
        EXPECT_EQ(process.readAllStandardError().toStdString(), c.pszErr);
    }
    EXPECT_EQ(TestFiles::ReadAll(profile), "[ID]\r\nNEXT_ID=7\r\n");
    EXPECT_EQ(TestFiles::ListFolder(folder.path().toStdString()), listing);
}

}  // namespace
